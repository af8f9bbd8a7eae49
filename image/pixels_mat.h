#pragma once

#include "catalogue/qel_image.h"

#include <memory>

namespace cv {
class Mat;
}

// Our pixels and the decoder's images, one seen as the other.

// Zeroed pixels of `size` in our layout: 8-bit samples, rows padded to 4 bytes.
std::unique_ptr<ImagePixels> NewPixels(PixelSize size, int channels);
// The pixels as a decoder image that writes straight into them.
cv::Mat MatOf(ImagePixels& pixels);
// The same, only to be read from: cv::Mat has no constructor for const pixels.
cv::Mat MatOf(const ImagePixels& pixels);

// `source` (8-bit samples) resampled by area into new pixels of `size`, rows padded to 4 bytes.
// A source of that very size is copied as it is.
std::unique_ptr<ImagePixels> AreaResized(const cv::Mat& source, PixelSize size);
