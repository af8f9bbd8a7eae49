#include "image/jpeg_frame.h"

#include "exif/jpeg_segments.h"
#include "exif/tiff_directory.h"
#include "platform/byte_reader.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

using Segments = JpegSegments<const ByteReader>;

constexpr std::uint32_t kMaxSampling = 4;
constexpr std::uint32_t kMaxScanComponents = 4;

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
int ExifOrientation(std::span<const std::uint8_t> app1) {
    if (!IsExifSegment(app1)) {
        return 1;
    }
    const ByteReader bytes(app1.subspan(kExifIdentifier.size()), true);
    const auto header = ReadTiffHeader(bytes, 0);
    if (!header || header->magic != kTiffMagic) {
        return 1;
    }
    const TiffReader tiff(bytes, 0, header->bigEndian);
    const auto ifd0 = tiff.directory(header->ifd0);
    int orientation = 1;
    if (ifd0) {
        tiff.entries(*ifd0, [&](const IfdEntry& entry) {
            if (entry.tag != kTagOrientation) {
                return true;
            }
            const int value = entry.fieldShort();
            orientation = value >= 1 && value <= 8 ? value : 1;
            return false;
        });
    }
    return orientation;
}

// What the walk has found so far.
struct Walk {
    std::optional<JpegFrame> frame;
    std::optional<int> orientation;
    std::uint64_t app1Offset = 0;
    std::uint64_t app1Length = 0;
};

// Takes in a segment before the scan; false when it does not fit or its frame is unreadable.
bool TakeSegment(const ByteReader& reader, const JpegSegment& segment, Walk& walk) {
    const auto payload =
        segment.length != 0 ? reader.slice(segment.at + 2, segment.length - 2) : std::nullopt;
    if (!payload) {
        return false;
    }
    if (IsFrameMarker(segment.marker) && !walk.frame) {
        walk.frame = ParseFrame(segment.marker, *payload);
        if (!walk.frame) {
            return false;
        }
    } else if (segment.marker == kJpegApp1 && !walk.orientation) {
        walk.orientation = ExifOrientation(*payload);
        walk.app1Offset = segment.at + 2;
        walk.app1Length = payload->size();
    }
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

// The frame as the segments up to the first scan's header give it; `segments` stops at that
// header.
std::optional<JpegFrame> WalkHeaders(const ByteReader& reader, Segments& segments) {
    // A marker right after SOI is what makes the image library pick its JPEG decoder; without
    // it another decoder may take the bytes.
    if (!StartsWithSoi(reader) || reader.u8(2) != kJpegMarkerByte) {
        return std::nullopt;
    }
    Walk walk;
    std::optional<JpegSegment> segment;
    while ((segment = segments.nextAsDecoded()) && segment->marker != kJpegSos) {
        if (segment->marker == kJpegEoi || !TakeSegment(reader, *segment, walk)) {
            return std::nullopt;
        }
    }
    const auto scanComponents = segment ? ScanComponents(reader, segment->at) : std::nullopt;
    if (!walk.frame || !scanComponents) {
        return std::nullopt;
    }
    JpegFrame& frame = *walk.frame;
    frame.scanComponents = *scanComponents;
    frame.orientation = walk.orientation.value_or(1);
    frame.app1Offset = walk.app1Offset;
    frame.app1Length = walk.app1Length;
    return frame;
}

} // namespace

std::optional<JpegFrame> ReadJpegHeaders(std::span<const std::uint8_t> bytes) {
    const ByteReader reader(bytes, true);
    Segments segments(reader);
    return WalkHeaders(reader, segments);
}

// The scans are counted as the decoder meets them; segments between them are stepped over.
std::optional<JpegFrame> ReadJpegFrame(std::span<const std::uint8_t> bytes) {
    const ByteReader reader(bytes, true);
    Segments segments(reader);
    auto frame = WalkHeaders(reader, segments);
    if (!frame) {
        return std::nullopt;
    }
    frame->scans = 1;
    std::optional<JpegSegment> segment;
    while ((segment = segments.nextAsDecoded()) && segment->marker != kJpegEoi) {
        frame->scans += segment->marker == kJpegSos ? 1 : 0;
    }
    const std::uint64_t size = bytes.size();
    frame->endsWithEoi = reader.u8(size - 2) == kJpegMarkerByte && reader.u8(size - 1) == kJpegEoi;
    return frame;
}
