#include "image/jpeg_file.h"

#include "exif/jpeg_segments.h"
#include "platform/descriptor.h"
#include "platform/open_for_reading.h"

#include <sys/stat.h>

namespace {

// Beyond this a file is not read: no photo within kMaxPhotoPixels comes near it.
constexpr off_t kMaxReadWholeBytes = off_t{256} << 20;
// 256 MiB of 16-bit coefficients: a progressive 4:2:0 photo of some 90 megapixels.
constexpr std::uint64_t kMaxHeldSamples = std::uint64_t{128} << 20;
// A segment's length field counts at most 65535 bytes.
constexpr std::size_t kEoiPairs = 65536 / 2 + 2;

} // namespace

std::optional<std::string> ReadJpegBytes(const std::string& path) {
    const Descriptor fd(OpenForReading(path));
    struct stat info {};
    if (fd.get() < 0 || fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 2 ||
        info.st_size > kMaxReadWholeBytes) {
        return std::nullopt;
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    std::string bytes;
    // Room for the end markers of a file cut short.
    bytes.reserve(size + 2 * kEoiPairs);
    bytes.resize(2);
    const auto into = [&](std::size_t at) {
        return reinterpret_cast<std::uint8_t*>(bytes.data() + at);
    };
    if (!ReadFullyAt(fd.get(), 0, into(0), 2) || !StartsWithSoi(ByteReader(AsBytes(bytes), true))) {
        return std::nullopt;
    }
    bytes.resize(size);
    if (!ReadFullyAt(fd.get(), 2, into(2), size - 2)) {
        return std::nullopt;
    }
    return bytes;
}

std::span<const std::uint8_t> AsBytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

bool WithinDecodeLimits(const JpegFrame& frame) {
    const bool progressive = frame.sofMarker == kJpegSof2 || frame.sofMarker == kJpegSof10;
    const bool wholePicture = progressive || frame.scanComponents < frame.components;
    return std::int64_t{frame.width} * frame.height <= kMaxPhotoPixels &&
           frame.scans <= kMaxJpegScans && (!wholePicture || frame.samples <= kMaxHeldSamples);
}

void EndWithEoi(std::string& bytes) {
    for (std::size_t i = 0; i < kEoiPairs; ++i) {
        bytes += {static_cast<char>(kJpegMarkerByte), static_cast<char>(kJpegEoi)};
    }
}

PixelSize UprightSize(const JpegFrame& frame) {
    const bool quarterTurn = frame.orientation >= 5;
    return quarterTurn ? PixelSize{frame.height, frame.width}
                       : PixelSize{frame.width, frame.height};
}
