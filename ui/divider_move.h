#pragma once

// A list's rectangle in the main window's client pixels.
struct ListRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

inline constexpr int kDividerStep = 5;
inline constexpr int kNarrowestList = 100;

// One step of the divider between the source list and the result list. `delta` is the up-down
// control's proposed step: negative (its right arrow) moves the divider right, anything else
// left. The list that would shrink must be at least 100 pixels wide before the step, so a list
// can end up to 5 pixels narrower than that. False, with nothing changed, when the step is
// refused (the caller beeps).
bool MoveDivider(ListRect& source, ListRect& result, int delta);
