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
    // Samples of all components together after subsampling: when the decoder keeps the whole
    // picture's coefficients it holds one 16-bit value for each.
    std::uint64_t samples = 0;
    int scanComponents = 0;   // components the first scan codes
    int scans = 0;            // up to the picture's end marker or the end of the bytes
    int orientation = 1;      // EXIF orientation 1..8; 1 when absent or unreadable
    bool endsWithEoi = false; // false for a file cut short (or with bytes after its end)
    // Where the payload of the first APP1 segment, the one the orientation comes from, lies in
    // the bytes read; length 0 when there is none.
    std::uint64_t app1Offset = 0;
    std::uint64_t app1Length = 0;
};

// Every scan of a progressive JPEG passes over the whole picture; real files come in ten or so.
inline constexpr int kMaxJpegScans = 32;

// Walks the marker segments from SOI up to the first scan and reads the frame header, plus the
// EXIF orientation from the first APP1 segment (the one the decoder applies); then counts the
// scans as the decoder meets them.
//
// A bad structure fails the whole read: no SOI followed by a marker, a segment running past the
// end, a scan or the end before any frame header, a frame with no width or height or with sampling
// factors the decoder refuses, a first scan header it refuses. Stray bytes between segments are
// passed over, as the decoder passes them; a bad EXIF block only leaves the orientation at 1.
std::optional<JpegFrame> ReadJpegFrame(std::span<const std::uint8_t> bytes);

// The same walk up to the first scan's header only, which is all the bytes it needs: `scans` is
// left 0 and `endsWithEoi` false. For a photo's first bytes: when they end before that header,
// it fails as for a segment running past the end, and more of them may be tried.
std::optional<JpegFrame> ReadJpegHeaders(std::span<const std::uint8_t> bytes);
