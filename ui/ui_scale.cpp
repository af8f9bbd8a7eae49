#include "ui/ui_scale.h"

#include <wx/app.h>
#include <wx/window.h>

#include <algorithm>
#include <cmath>

double LayoutScale(double dpiScaleFactor, double contentScaleFactor) {
    if (!(dpiScaleFactor > 0.0) || !(contentScaleFactor > 0.0)) {
        return 1.0;
    }
    return std::max(1.0, dpiScaleFactor / contentScaleFactor);
}

double UiScale(const wxWindow* window) {
    // What is drawn before any window stands (a font, a face) follows the program's first one.
    const wxWindow* measured =
        window != nullptr ? window : (wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr);
    if (measured == nullptr) {
        return 1.0;
    }
    return LayoutScale(measured->GetDPIScaleFactor(), measured->GetContentScaleFactor());
}

int ScaledPixels(int pixels, double scale) {
    return static_cast<int>(std::lround(pixels * scale));
}

int TextPixelHeight(int designHeight, double scale) {
    return ScaledPixels(std::max(designHeight, kSmallestTextHeight), scale);
}
