#pragma once

#include "ui/tessaro_layout.h"

#include <wx/gdicmn.h>

class wxWindow;

// A rectangle of a dialog template in the pixels of `window`: 1.5 pixels a unit at 96 DPI, in
// GTK's logical pixels (which the toolkit maps to the screen's content scale factor), times the
// window's layout scale.
wxRect PixelsOf(const wxWindow& window, const DialogRect& rect);
