#include "map/map_picture.h"

#include "image/jpeg_frame.h"
#include "image/pixels_mat.h"
#include "platform/byte_reader.h"

#include <opencv2/imgcodecs.hpp>

#include <algorithm>
#include <climits>
#include <cstring>
#include <exception>
#include <span>

namespace {

constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// A PNG whose chunks, from the header chunk to IEND, each lie whole within the bytes. The decoder
// takes a chunk's length on trust and would spend seconds skipping through gigabytes that a
// short answer only claims to hold.
bool ChunksWithinBytes(const ByteReader& reader, std::uint64_t size) {
    std::uint64_t offset = sizeof kPngSignature;
    bool first = true;
    for (;;) {
        const auto length = reader.u32(offset);
        const auto type = reader.slice(offset + 4, 4);
        if (!length || !type || std::uint64_t{*length} + 12 > size - offset) {
            return false;
        }
        const bool header = std::memcmp(type->data(), "IHDR", 4) == 0;
        if (first != header) {
            return false;
        }
        if (std::memcmp(type->data(), "IEND", 4) == 0) {
            return true;
        }
        first = false;
        offset += 12 + *length;
    }
}

// The size the header chunk gives: width, then height, right after its type.
std::optional<PixelSize> PngSize(std::span<const std::uint8_t> bytes) {
    const ByteReader reader(bytes, true);
    const auto signature = reader.slice(0, sizeof kPngSignature);
    if (!signature || std::memcmp(signature->data(), kPngSignature, sizeof kPngSignature) != 0 ||
        !ChunksWithinBytes(reader, bytes.size())) {
        return std::nullopt;
    }
    const auto width = reader.u32(16);
    const auto height = reader.u32(20);
    if (!width || !height) {
        return std::nullopt;
    }
    return PixelSize{static_cast<int>(std::min<std::uint32_t>(*width, INT32_MAX)),
                     static_cast<int>(std::min<std::uint32_t>(*height, INT32_MAX))};
}

std::optional<PixelSize> DeclaredSize(std::span<const std::uint8_t> bytes) {
    if (const auto png = PngSize(bytes)) {
        return png;
    }
    if (const auto frame = ReadJpegFrame(bytes); frame && frame->scans <= kMaxJpegScans) {
        return PixelSize{frame->width, frame->height};
    }
    return std::nullopt;
}

bool Acceptable(PixelSize size) {
    return size.width > 0 && size.height > 0 && size.width <= kMaxMapPictureSide &&
           size.height <= kMaxMapPictureSide;
}

} // namespace

bool DecodeMapPicture(const std::string& bytes, QELImage& picture) {
    picture.Release();
    if (bytes.size() > INT_MAX) {
        return false;
    }
    const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                             bytes.size());
    const auto declared = DeclaredSize(data);
    if (!declared || !Acceptable(*declared)) {
        return false;
    }
    cv::Mat decoded;
    try {
        const cv::Mat encoded(1, static_cast<int>(data.size()), CV_8UC1,
                              const_cast<std::uint8_t*>(data.data()));
        decoded = cv::imdecode(encoded, cv::IMREAD_COLOR);
    } catch (const std::exception&) { // cv::Exception is one
        return false;
    }
    if (decoded.empty() || !Acceptable(PixelSize{decoded.cols, decoded.rows})) {
        return false;
    }
    picture.image = AreaResized(decoded, PixelSize{decoded.cols, decoded.rows});
    picture.topDown = 1;
    return true;
}
