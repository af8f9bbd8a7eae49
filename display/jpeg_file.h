#pragma once

#include "display/jpeg_frame.h"
#include "display/qel_image.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// A JPEG file read whole, once: its headers are parsed from the bytes and the decoder decodes
// them. Nothing for a file that cannot be read or is beyond the size read this way.
std::optional<std::string> ReadJpegBytes(const std::string& path);

std::span<const std::uint8_t> AsBytes(const std::string& text);

// Baseline, extended and progressive 8-bit frames in grey or YCbCr, whole: what the decoder
// decodes from memory exactly as from the file (for a file cut short it repeats stale rows from
// memory where it fills grey from the file), at full size or scaled.
bool WholeEightBitJpeg(const JpegFrame& frame);

// The size the decoder delivers: it turns the picture by its EXIF orientation.
PixelSize UprightSize(const JpegFrame& frame);
