#pragma once

#include <cstdint>
#include <optional>
#include <span>

// What a JPEG's headers say about its picture, known before any decoding.
struct JpegFrame {
    int sofMarker = 0; // 0xC0..0xCF: the coding process
    int precision = 0; // bits per sample
    int width = 0;     // as stored, before any EXIF turn
    int height = 0;
    int components = 0;
    int orientation = 1;      // EXIF orientation 1..8; 1 when absent or unreadable
    bool endsWithEoi = false; // false for a file cut short (or with bytes after its end)
};

// Walks the marker segments from SOI up to the first scan and reads the frame header, plus the
// EXIF orientation from the first APP1 segment (the one the decoder applies).
//
// A bad structure fails the whole read: no SOI, a segment running past the end, bytes between
// segments that are no marker, a scan or the end before any frame header, a frame with no
// width or height. A bad EXIF block only leaves the orientation at 1.
std::optional<JpegFrame> ReadJpegFrame(std::span<const std::uint8_t> bytes);
