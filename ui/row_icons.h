#pragma once

#include "catalogue/qel_file_info.h"

#include <wx/bitmap.h>

// The four row pictures, drawn once: the 14 x 16 picture-file symbol and the 16 x 14 yellow
// folder on the colour of each kind of folder row (icons are copied opaquely).
class RowIcons {
public:
    RowIcons();
    const wxBitmap& of(RowIconKind kind) const;

private:
    wxBitmap photo_;
    wxBitmap folder_;
    wxBitmap level0_;
    wxBitmap level1_;
};
