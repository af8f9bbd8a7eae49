#pragma once

#include "ui/divider_move.h"
#include "ui/tessaro_layout.h"

// How the main window's controls follow its client area when it is larger than the template,
// whose size is the window's minimum: the two lists take all the room that is won and share
// its width at the divider; what lies right of them follows the right edge, what lies below
// them the bottom edge; the top row stays above the list it belongs to.
enum class Follow {
    Nothing,    // keeps its place at the top left
    RightEdge,  // the title options, ヘルプ and 終了
    BottomEdge, // the row below the lists
    SourceList,
    ResultList,
    SourceTop,  // above the source list, as wide as it grows (the source folder)
    ResultTop,  // above the result list, moving with its left edge (STEP4 to STEP6)
    ResultSpan, // above the result list, from its left edge to the right edge (the destination)
};

Follow FollowOf(const LayoutEntry& entry);

// Where the divider stands: the source list's width out of both lists' widths, as the last
// divider step (or the template) left them.
struct DividerShare {
    int sourceWidth = 0;
    int bothWidths = 0;
};

// The source list's width when the lists have `bothWidths` between them: the same share,
// rounded to the nearest pixel, and neither list narrower than a divider step can make it.
int SourceWidthFor(const DividerShare& share, int bothWidths);

struct WindowGrowth {
    int width = 0; // client pixels past the minimum
    int height = 0;
};

// What every control's place depends on besides its own.
struct StretchContext {
    ListRect sourceAtMinimum;
    ListRect resultAtMinimum;
    WindowGrowth growth;
    DividerShare share;
};

// The place of a control that stands at `atMinimum` in the window at its minimum size.
ListRect StretchedRect(Follow follow, const ListRect& atMinimum, const StretchContext& context);
