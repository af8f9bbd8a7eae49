#pragma once

#include "display/qel_image.h"

#include <string>

// The JPEG photo of `path` decoded upright straight into pixels of our own, at the scale
// ChooseDecoderScale gives for `box` and `oversample` (whole for an empty box); `scale` and
// `photoSize` of the picture say which. Empty for a file that is no JPEG, whose headers are
// broken, that is beyond the decode limits, or that the decoder does not decode as its headers
// promise. Decoding into our pixels spares a second picture-sized block and a copy. The
// decoder's exceptions pass through.
QELImage DecodeJpegDirect(const std::string& path, const ImageBox& box, int oversample);
