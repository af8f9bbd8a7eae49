#pragma once

#include "platform/byte_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

// A marker is this byte and its code; more of it before the code are fill bytes.
inline constexpr std::uint8_t kJpegMarkerByte = 0xFF;
inline constexpr std::uint8_t kJpegTem = 0x01;
// The frame markers run from SOF0 to SOF15 but for DHT, JPG and DAC.
inline constexpr std::uint8_t kJpegSof0 = 0xC0;
inline constexpr std::uint8_t kJpegSof2 = 0xC2; // progressive, Huffman coded
inline constexpr std::uint8_t kJpegDht = 0xC4;
inline constexpr std::uint8_t kJpegJpg = 0xC8;
inline constexpr std::uint8_t kJpegSof10 = 0xCA; // progressive, arithmetic coded
inline constexpr std::uint8_t kJpegDac = 0xCC;
inline constexpr std::uint8_t kJpegSof15 = 0xCF;
inline constexpr std::uint8_t kJpegRst0 = 0xD0;
inline constexpr std::uint8_t kJpegSoi = 0xD8;
inline constexpr std::uint8_t kJpegEoi = 0xD9;
inline constexpr std::uint8_t kJpegSos = 0xDA;
inline constexpr std::uint8_t kJpegApp0 = 0xE0;
inline constexpr std::uint8_t kJpegApp1 = 0xE1;
// What an APP1 segment of Exif data starts with; its TIFF data follows.
inline constexpr std::array<std::uint8_t, 6> kExifIdentifier = {'E', 'x', 'i', 'f', 0, 0};
// An ICC profile alone may take 255 segments; a file with more markers than this before its
// scan is no photo, and the bound keeps one of fill bytes or empty segments from being stepped
// through to its end, however large.
inline constexpr int kMostJpegMarkers = 1024;

inline bool IsFrameMarker(std::uint32_t marker) {
    return marker >= kJpegSof0 && marker <= kJpegSof15 && marker != kJpegDht &&
           marker != kJpegJpg && marker != kJpegDac;
}

// SOI, TEM and the restart markers carry no length.
inline bool IsStandaloneMarker(std::uint32_t marker) {
    return marker == kJpegTem || (marker >= kJpegRst0 && marker <= kJpegSoi);
}

inline bool IsExifSegment(std::span<const std::uint8_t> payload) {
    return payload.size() >= kExifIdentifier.size() &&
           std::equal(kExifIdentifier.begin(), kExifIdentifier.end(), payload.begin());
}

template <class Bytes> bool StartsWithSoi(Bytes&& bytes) {
    const auto soi = bytes.slice(0, 2);
    return soi && (*soi)[0] == kJpegMarkerByte && (*soi)[1] == kJpegSoi;
}

struct JpegSegment {
    std::uint8_t marker = 0;
    std::uint64_t at = 0;     // where its length field stands; its payload follows that
    std::uint32_t length = 0; // as that field gives it, counting itself; 0 for none or less than 2
};

// Walks the segments of a JPEG from `position` (by default, right after SOI), each stepped over
// by its length field: its payload is never read. A segment without a length ends the walk, and
// what counts as one depends on how markers are looked for:
// - as written: a marker must stand where the last segment ends, after any fill bytes, and
//   every code after 0xFF is taken as a segment's; another byte there, a marker without the two
//   bytes of a length after it, or more than kMostJpegMarkers markers and fill bytes end the
//   walk. Over a ByteReader or anything with its slice(): the bytes of a file (HeaderBytes).
// - as decoded: the decoder's way, which passes over whatever stands before a 0xFF (coded data,
//   stray bytes), fill bytes, 0xFF 0x00 (a coded 0xFF) and markers without a length; a marker
//   at the end may have no length. Over a ByteReader only: it searches the bytes.
// Neither walk stops by itself at SOS or EOI; the caller does, or goes on into the coded data.
template <class Bytes> class JpegSegments {
public:
    explicit JpegSegments(Bytes& bytes, std::uint64_t position = 2)
        : bytes_(bytes), position_(position) {}

    std::optional<JpegSegment> nextAsWritten() {
        if (ended_) {
            return std::nullopt;
        }
        while (markers_ < kMostJpegMarkers) {
            ++markers_;
            const auto head = bytes_.slice(position_, 4);
            if (!head || (*head)[0] != kJpegMarkerByte) {
                return std::nullopt;
            }
            if ((*head)[1] == kJpegMarkerByte) {
                ++position_;
                continue;
            }
            return give((*head)[1], position_ + 2, *ByteReader(*head, true).u16(2));
        }
        return std::nullopt;
    }

    std::optional<JpegSegment> nextAsDecoded() {
        if (ended_) {
            return std::nullopt;
        }
        // Coded data stops the search at about every 256th byte, a 0xFF: local copies keep the
        // reader and the position in registers across it.
        const ByteReader bytes = bytes_;
        std::uint64_t position = position_;
        while (const auto found = bytes.find(kJpegMarkerByte, position)) {
            position = *found;
            while (bytes.u8(position) == kJpegMarkerByte) {
                ++position;
            }
            const auto code = bytes.u8(position);
            ++position;
            if (code && *code != 0 && !IsStandaloneMarker(*code)) {
                const auto field = bytes.slice(position, 2);
                return give(static_cast<std::uint8_t>(*code), position,
                            field ? *ByteReader(*field, true).u16(0) : 0);
            }
        }
        position_ = position;
        return std::nullopt;
    }

private:
    // The next call looks on past the segment, which a segment without a length cannot tell.
    JpegSegment give(std::uint8_t marker, std::uint64_t at, std::uint32_t length) {
        const JpegSegment segment{marker, at, length >= 2 ? length : 0};
        ended_ = segment.length == 0;
        position_ = at + segment.length;
        return segment;
    }

    Bytes& bytes_;
    std::uint64_t position_;
    bool ended_ = false;
    int markers_ = 0;
};
