#pragma once

#include "catalogue/qel_image.h"
#include "image/jpeg_frame.h"

#include <memory>
#include <string>

// The JPEG photo of `path` decoded upright straight into pixels of our own, at the scale
// ChooseDecoderScale gives for `box` and `oversample` (whole for an empty box); `scale` and
// `photoSize` of the picture say which. Empty for a file that is no JPEG, whose headers are
// broken, that is beyond the decode limits, or that the decoder does not decode as its headers
// promise. Decoding into our pixels spares a second picture-sized block and a copy. The
// decoder's exceptions pass through.
QELImage DecodeJpegDirect(const std::string& path, const ImageBox& box, int oversample);

// `bytes`, a JPEG whose headers read as `frame`, decoded as stored (not turned) at 1/scale into
// new pixels of our own; null unless the decoder delivered exactly that. The bytes of a file cut
// short get end markers appended first. The decoder's exceptions pass through.
std::unique_ptr<ImagePixels> DecodeStored(std::string& bytes, const JpegFrame& frame, int scale);

// `stored` turned by the EXIF orientation as the decoder turns a photo, done on our pixels; null
// if OpenCV would not write into them.
std::unique_ptr<ImagePixels> Upright(std::unique_ptr<ImagePixels> stored, int orientation);
