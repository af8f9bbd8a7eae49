#pragma once

#include "display/qel_image.h"

#include <memory>
#include <string>

// The photo of `path` decoded upright at full size straight into pixels of our own, when it is
// a JPEG the decoder decodes from memory exactly as from the file; null otherwise (the caller
// then takes the decoder's own way). Decoding into our pixels spares a second picture-sized
// block and a copy. The decoder's exceptions pass through.
std::unique_ptr<ImagePixels> DecodeJpegDirect(const std::string& path);
