#pragma once

#include "catalogue/qel_image.h"

#include <memory>

namespace cv {
class Mat;
}

// The JPEG decoder's own scaling: it delivers a photo at 1/2, 1/4 or 1/8 each way (rounded up)
// for a fraction of the time and memory of the whole.

// The largest of those scales whose picture still has `oversample` pixels for every pixel of the
// photo fitted into `box`, each way; 1 when none has, or the box is empty.
int ChooseDecoderScale(PixelSize photo, const ImageBox& box, int oversample);

// `reduced`, the decoder's picture at 1/scale of a photo of size `photo`, fitted to `fitted` as
// the whole photo would be; null if it cannot be.
std::unique_ptr<ImagePixels> FitReduced(const cv::Mat& reduced, PixelSize photo, int scale,
                                        PixelSize fitted);
