#pragma once

#include "catalogue/qel_image.h"

#include <wx/bitmap.h>

// The held picture as a toolkit bitmap: blue-green-red or grey rows turned into RGB once. An
// invalid bitmap when nothing usable is held.
wxBitmap BitmapOf(const QELImage& picture);
