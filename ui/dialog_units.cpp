#include "ui/dialog_units.h"

#include "ui/ui_scale.h"

#include <wx/window.h>

wxRect PixelsOf(const wxWindow& window, const DialogRect& r) {
    const double scale = UiScale(&window);
    return wxRect(DialogUnitsToPixels(r.x, scale), DialogUnitsToPixels(r.y, scale),
                  DialogUnitsToPixels(r.width, scale), DialogUnitsToPixels(r.height, scale));
}
