#pragma once

#include "catalogue/qel_file_info.h"
#include "display/qel_image.h"

#include <memory>
#include <optional>

namespace cv {
class Mat;
}

// The size QELImage::FitInto gives a width x height picture in `box`: the box's full width or
// height, the other side in proportion (truncated, at least 1). Empty for an empty box or
// picture, or when a side would not fit in an int.
std::optional<PixelSize> FittedSize(int width, int height, const ImageBox& box);

// Zeroed pixels of `size` in our layout: 8-bit samples, rows padded to 4 bytes.
std::unique_ptr<ImagePixels> NewPixels(PixelSize size, int channels);
// The pixels as a decoder image that writes straight into them.
cv::Mat MatOf(ImagePixels& pixels);

// `source` (8-bit samples) resampled by area into new pixels of `size`, rows padded to 4 bytes.
// A source of that very size is copied as it is.
std::unique_ptr<ImagePixels> AreaResized(const cv::Mat& source, PixelSize size);

// Makes the record's thumbnail: its photo fitted into `box`, stored under the record's mutex. 1
// when made (thumbReady is then 1); 0 for no record, a folder, an empty path, or a photo that
// cannot be decoded (the thumbnail is then empty). The full-size picture is never left in the
// record. A JPEG the decoder can scale is decoded at 1/2, 1/4 or 1/8 first; the thumbnail has the
// size and look that decoding it whole and fitting it would give.
int MakeThumbnail(QELFileInfo* record, const ImageBox& box);
