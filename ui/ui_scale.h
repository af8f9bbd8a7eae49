#pragma once

class wxWindow;

// Sizes are designed for a 96-DPI screen. GTK already maps the toolkit's logical pixels to the
// screen's content scale factor (2 on a "200 %" screen), so the program multiplies its sizes
// only by what the toolkit leaves over: the DPI scale factor divided by the content scale
// factor, never below 1.
double LayoutScale(double dpiScaleFactor, double contentScaleFactor);

// `window`'s layout scale; with no window, the program's top window's (1 before it stands).
double UiScale(const wxWindow* window = nullptr);

// A 96-DPI size at `scale`, rounded to the nearest pixel (halves up).
int ScaledPixels(int pixels, double scale);

// No text is drawn smaller than this, at 96 DPI: the pixel height of a font's line.
inline constexpr int kSmallestTextHeight = 11;

// The pixel height a font of `designHeight` gets at `scale`: at least the smallest text height.
int TextPixelHeight(int designHeight, double scale);
