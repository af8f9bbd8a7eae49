#pragma once

#include "catalogue/qel_image.h"

#include <string>

// Decodes the photo of `path` (a JPEG) into `picture`, whole or, for a non-empty `shownIn`,
// reduced by the decoder as far as still leaves `oversample` pixels for each pixel of it fitted
// there. Empties `picture` first; true when it holds a picture afterwards.
bool Load(QELImage& picture, const std::string& path, const ImageBox& shownIn = {},
          int oversample = 1);
// Scales the held picture to fit `box`, keeping its aspect; false when none is held.
bool FitInto(QELImage& picture, const ImageBox& box);
// `picture` becomes `source` fitted into `box`, which stays as it was; false (nothing changed)
// when `source` holds no picture or the box is empty.
bool FitFrom(QELImage& picture, const QELImage& source, const ImageBox& box);
