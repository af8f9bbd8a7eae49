#pragma once

#include "catalogue/qel_image.h"

#include <wx/bitmap.h>

class wxDC;

// The held picture as a toolkit bitmap: blue-green-red or grey rows turned into RGB once. An
// invalid bitmap when nothing usable is held.
wxBitmap BitmapOf(const QELImage& picture);

// The whole picture with its top-left corner at (x, y); nothing when none is held.
void Draw(const QELImage& picture, wxDC& dc, int x, int y);
