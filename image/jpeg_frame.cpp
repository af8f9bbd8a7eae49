#include "image/jpeg_frame.h"

#include "platform/byte_reader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

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
constexpr std::uint32_t kMaxSampling = 4;
constexpr std::uint32_t kMaxScanComponents = 4;

// C4 (Huffman tables), C8 (reserved) and CC (arithmetic conditioning) share the range.
bool IsFrameMarker(std::uint32_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// SOI, TEM and the restart markers carry no length.
bool IsStandalone(std::uint32_t marker) {
    return marker == kTEM || (marker >= 0xD0 && marker <= kSOI);
}

// Each component's share of the picture: ceil(side * factor / largest factor) samples each way.
// Nothing for sampling factors outside 1..4, which the decoder refuses.
std::optional<std::uint64_t> Samples(const ByteReader& reader, const JpegFrame& frame) {
    std::vector<std::pair<std::uint64_t, std::uint64_t>> factors;
    std::uint64_t maxH = 1;
    std::uint64_t maxV = 1;
    for (int i = 0; i < frame.components; ++i) {
        const std::uint32_t both = reader.u8(7 + 3 * static_cast<std::uint64_t>(i)).value_or(0);
        const std::uint64_t h = both >> 4;
        const std::uint64_t v = both & 0x0F;
        if (h < 1 || h > kMaxSampling || v < 1 || v > kMaxSampling) {
            return std::nullopt;
        }
        factors.emplace_back(h, v);
        maxH = std::max(maxH, h);
        maxV = std::max(maxV, v);
    }
    const auto width = static_cast<std::uint64_t>(frame.width);
    const auto height = static_cast<std::uint64_t>(frame.height);
    std::uint64_t samples = 0;
    for (const auto& [h, v] : factors) {
        samples += (width * h + maxH - 1) / maxH * ((height * v + maxV - 1) / maxV);
    }
    return samples;
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
    const auto samples = Samples(reader, frame);
    if (!samples) {
        return std::nullopt;
    }
    frame.samples = *samples;
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
    std::uint64_t app1Offset = 0;
    std::uint64_t app1Length = 0;
};

// The next marker from `pos` on, as the decoder finds it: whatever comes before a 0xFF (coded
// data, stray bytes), fill bytes, 0xFF 0x00 (a coded 0xFF) and markers without a length
// (restarts) are passed over. `pos` ends after the marker's code.
std::optional<std::uint32_t> NextMarker(std::span<const std::uint8_t> bytes, std::uint64_t& pos) {
    const ByteReader reader(bytes, true);
    while (pos < bytes.size()) {
        const void* found = std::memchr(bytes.data() + pos, kMarkerByte, bytes.size() - pos);
        if (found == nullptr) {
            break;
        }
        pos = static_cast<std::uint64_t>(static_cast<const std::uint8_t*>(found) - bytes.data());
        while (reader.u8(pos) == kMarkerByte) {
            ++pos;
        }
        const auto code = reader.u8(pos++);
        if (code && *code != 0 && !IsStandalone(*code)) {
            return code;
        }
    }
    return std::nullopt;
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
        walk.app1Offset = walk.pos + 2;
        walk.app1Length = payload->size();
    }
    walk.pos += *length;
    return true;
}

// The number of components the scan header at `pos` (its length) codes; nothing for a header
// the decoder refuses.
std::optional<int> ScanComponents(const ByteReader& reader, std::uint64_t pos) {
    const auto length = reader.u16(pos);
    const auto count = reader.u8(pos + 2);
    if (!length || !count || *count < 1 || *count > kMaxScanComponents ||
        *length != 6 + 2 * *count || !reader.slice(pos, *length)) {
        return std::nullopt;
    }
    return static_cast<int>(*count);
}

// The scans from the one whose coded data starts at `pos` on; segments between scans are skipped
// by their length.
int ScansFrom(std::span<const std::uint8_t> bytes, std::uint64_t pos) {
    const ByteReader reader(bytes, true);
    int scans = 1;
    for (;;) {
        const auto marker = NextMarker(bytes, pos);
        if (!marker || *marker == kEOI) {
            return scans;
        }
        scans += *marker == kSOS ? 1 : 0;
        const auto length = reader.u16(pos);
        if (!length || *length < 2) {
            return scans;
        }
        pos += *length;
    }
}

// The frame as the segments up to the first scan's header give it; `scanAt` becomes where that
// header's length lies.
std::optional<JpegFrame> WalkHeaders(std::span<const std::uint8_t> bytes, std::uint64_t& scanAt) {
    const ByteReader reader(bytes, true);
    // A marker right after SOI is what makes the image library pick its JPEG decoder; without
    // it another decoder may take the bytes.
    if (reader.u8(0) != kMarkerByte || reader.u8(1) != kSOI || reader.u8(2) != kMarkerByte) {
        return std::nullopt;
    }
    Walk walk;
    for (;;) {
        const auto marker = NextMarker(bytes, walk.pos);
        if (!marker || *marker == kEOI) {
            return std::nullopt;
        }
        if (*marker == kSOS) {
            break;
        }
        if (!TakeSegment(reader, *marker, walk)) {
            return std::nullopt;
        }
    }
    const auto scanComponents = ScanComponents(reader, walk.pos);
    if (!walk.frame || !scanComponents) {
        return std::nullopt;
    }
    JpegFrame& frame = *walk.frame;
    frame.scanComponents = *scanComponents;
    frame.orientation = walk.orientation.value_or(1);
    frame.app1Offset = walk.app1Offset;
    frame.app1Length = walk.app1Length;
    scanAt = walk.pos;
    return frame;
}

} // namespace

std::optional<JpegFrame> ReadJpegHeaders(std::span<const std::uint8_t> bytes) {
    std::uint64_t scanAt = 0;
    return WalkHeaders(bytes, scanAt);
}

std::optional<JpegFrame> ReadJpegFrame(std::span<const std::uint8_t> bytes) {
    std::uint64_t scanAt = 0;
    auto frame = WalkHeaders(bytes, scanAt);
    if (!frame) {
        return std::nullopt;
    }
    const ByteReader reader(bytes, true);
    frame->scans = ScansFrom(bytes, scanAt + *reader.u16(scanAt));
    const std::uint64_t size = bytes.size();
    frame->endsWithEoi = reader.u8(size - 2) == kMarkerByte && reader.u8(size - 1) == kEOI;
    return frame;
}
