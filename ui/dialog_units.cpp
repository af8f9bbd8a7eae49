#include "ui/dialog_units.h"

#include <wx/window.h>

wxRect PixelsOf(const wxWindow& window, const DialogRect& r) {
    return wxRect(window.FromDIP(DialogUnitsToPixels(r.x)),
                  window.FromDIP(DialogUnitsToPixels(r.y)),
                  window.FromDIP(DialogUnitsToPixels(r.width)),
                  window.FromDIP(DialogUnitsToPixels(r.height)));
}
