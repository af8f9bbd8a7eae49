#pragma once

#include "catalogue/qel_image.h"
#include "image/jpeg_frame.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// The largest photo decoded, in pixels: beyond every camera's, far below what would exhaust a
// laptop's memory.
inline constexpr std::int64_t kMaxPhotoPixels = 200'000'000;

// A JPEG file read whole, once: its headers are parsed from the bytes and the decoder decodes
// them. Nothing for a file that does not start with the start-of-image marker (known before it
// is read whole), that cannot be read, or that is beyond the size read this way.
std::optional<std::string> ReadJpegBytes(const std::string& path);

std::span<const std::uint8_t> AsBytes(const std::string& text);

// Whether the decoder may be given the frame at all: at most kMaxPhotoPixels, kMaxJpegScans
// scans, and, where it keeps every coefficient of the picture (progressive, or a first scan that
// leaves components for later ones), a bounded amount of them.
bool WithinDecodeLimits(const JpegFrame& frame);

// Ends the bytes of a file cut short as the decoder sees a file on disk end: in end markers, as
// many as skipping the longest segment it may be in the middle of takes. From memory without
// them it would leave the rest of the picture stale instead of filling it.
void EndWithEoi(std::string& bytes);

// The size the decoder delivers: it turns the picture by its EXIF orientation.
PixelSize UprightSize(const JpegFrame& frame);
