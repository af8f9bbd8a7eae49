#pragma once

#include "catalogue/qel_file_info.h"
#include "display/qel_image.h"

#include <memory>
#include <optional>

// The size QELImage::FitInto gives a width x height picture in `box`: the box's full width or
// height, the other side in proportion (truncated, at least 1). Empty for an empty box or
// picture, or when a side would not fit in an int.
std::optional<PixelSize> FittedSize(int width, int height, const ImageBox& box);

// Makes the record's thumbnail: its photo fitted into `box`, stored under the record's mutex. 1
// when made (thumbReady is then 1); 0 for no record, a folder, an empty path, or a photo that
// cannot be decoded (the thumbnail is then empty). The full-size picture is never left in the
// record. A JPEG the decoder can scale is decoded at 1/2, 1/4 or 1/8 first; the thumbnail has the
// size and look that decoding it whole and fitting it would give.
int MakeThumbnail(QELFileInfo* record, const ImageBox& box);
