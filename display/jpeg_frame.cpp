#include "display/jpeg_frame.h"

#include "platform/byte_reader.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::uint32_t kMarkerByte = 0xFF;
constexpr std::uint32_t kSOI = 0xD8;
constexpr std::uint32_t kEOI = 0xD9;
constexpr std::uint32_t kSOS = 0xDA;
constexpr std::uint32_t kAPP1 = 0xE1;
constexpr std::uint32_t kTEM = 0x01;
constexpr std::uint32_t kIntelOrder = 0x4949;    // "II"
constexpr std::uint32_t kMotorolaOrder = 0x4D4D; // "MM"
constexpr std::uint32_t kTiffMagic = 42;
constexpr std::uint32_t kOrientationTag = 0x0112;
constexpr std::uint64_t kIfdEntrySize = 12;

// C4 (Huffman tables), C8 (reserved) and CC (arithmetic conditioning) share the range.
bool IsFrameMarker(std::uint32_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// SOI, TEM and the restart markers carry no length.
bool IsStandalone(std::uint32_t marker) {
    return marker == kTEM || (marker >= 0xD0 && marker <= kSOI);
}

std::optional<JpegFrame> ParseFrame(std::uint32_t marker, std::span<const std::uint8_t> payload) {
    const ByteReader reader(payload, true);
    JpegFrame frame;
    frame.sofMarker = static_cast<int>(marker);
    frame.precision = static_cast<int>(reader.u8(0).value_or(0));
    frame.height = static_cast<int>(reader.u16(1).value_or(0));
    frame.width = static_cast<int>(reader.u16(3).value_or(0));
    frame.components = static_cast<int>(reader.u8(5).value_or(0));
    // The decoder refuses a frame whose length disagrees with its component count.
    const bool lengthFits = payload.size() == 6 + 3 * static_cast<std::size_t>(frame.components);
    if (frame.width == 0 || frame.height == 0 || frame.components == 0 || !lengthFits) {
        return std::nullopt;
    }
    return frame;
}

// The decoder reads the first 16-bit value of IFD0's first orientation entry, whatever the
// entry's type says; an entry past the end is not there.
int OrientationInIfd0(const ByteReader& tiff) {
    const auto ifd = tiff.u32(4);
    const auto count = ifd ? tiff.u16(*ifd) : std::nullopt;
    if (!count) {
        return 1;
    }
    for (std::uint64_t i = 0; i < *count; ++i) {
        const std::uint64_t entry = std::uint64_t{*ifd} + 2 + kIfdEntrySize * i;
        const auto tag = tiff.u16(entry);
        if (!tag) {
            break;
        }
        if (*tag == kOrientationTag) {
            const auto value = tiff.u16(entry + 8);
            return value && *value >= 1 && *value <= 8 ? static_cast<int>(*value) : 1;
        }
    }
    return 1;
}

int ExifOrientation(std::span<const std::uint8_t> app1) {
    static constexpr std::array<std::uint8_t, 6> kExifHeader{'E', 'x', 'i', 'f', 0, 0};
    const auto header = ByteReader(app1, true).slice(0, kExifHeader.size());
    if (!header || !std::equal(header->begin(), header->end(), kExifHeader.begin())) {
        return 1;
    }
    const auto tiff = app1.subspan(kExifHeader.size());
    const auto byteOrder = ByteReader(tiff, true).u16(0);
    if (byteOrder != kIntelOrder && byteOrder != kMotorolaOrder) {
        return 1;
    }
    const ByteReader reader(tiff, byteOrder == kMotorolaOrder);
    return reader.u16(2) == kTiffMagic ? OrientationInIfd0(reader) : 1;
}

// Where the walk is and what it has found so far.
struct Walk {
    std::uint64_t pos = 2;
    std::optional<JpegFrame> frame;
    std::optional<int> orientation;
};

// Reads the marker code at walk.pos, after any 0xFF fill bytes.
std::optional<std::uint32_t> NextMarker(const ByteReader& reader, Walk& walk) {
    if (reader.u8(walk.pos) != kMarkerByte) {
        return std::nullopt;
    }
    while (reader.u8(walk.pos) == kMarkerByte) {
        ++walk.pos;
    }
    const auto marker = reader.u8(walk.pos++);
    return marker && *marker != 0 ? marker : std::nullopt;
}

// Takes in the segment at walk.pos; false when it does not fit or its frame is unreadable.
bool TakeSegment(const ByteReader& reader, std::uint32_t marker, Walk& walk) {
    const auto length = reader.u16(walk.pos);
    const auto payload =
        length && *length >= 2 ? reader.slice(walk.pos + 2, *length - 2) : std::nullopt;
    if (!payload) {
        return false;
    }
    if (IsFrameMarker(marker) && !walk.frame) {
        walk.frame = ParseFrame(marker, *payload);
        if (!walk.frame) {
            return false;
        }
    } else if (marker == kAPP1 && !walk.orientation) {
        walk.orientation = ExifOrientation(*payload);
    }
    walk.pos += *length;
    return true;
}

} // namespace

std::optional<JpegFrame> ReadJpegFrame(std::span<const std::uint8_t> bytes) {
    const ByteReader reader(bytes, true);
    if (reader.u8(0) != kMarkerByte || reader.u8(1) != kSOI) {
        return std::nullopt;
    }
    Walk walk;
    for (;;) {
        const auto marker = NextMarker(reader, walk);
        if (!marker || *marker == kEOI) {
            return std::nullopt;
        }
        if (*marker == kSOS) {
            break;
        }
        if (!IsStandalone(*marker) && !TakeSegment(reader, *marker, walk)) {
            return std::nullopt;
        }
    }
    if (walk.frame) {
        walk.frame->orientation = walk.orientation.value_or(1);
        const std::uint64_t size = bytes.size();
        walk.frame->endsWithEoi = reader.u8(size - 2) == kMarkerByte && reader.u8(size - 1) == kEOI;
    }
    return walk.frame;
}
