#pragma once

#include "ui/tessaro_layout.h"

#include <wx/gdicmn.h>

class wxWindow;

// A rectangle of a dialog template in the pixels of `window`: 1.5 pixels a unit at 96 DPI, in
// GTK's logical pixels, which the toolkit scales on screens of a higher density.
wxRect PixelsOf(const wxWindow& window, const DialogRect& rect);
