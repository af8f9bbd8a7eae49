#include "exif/exif_segment.h"

#include "platform/byte_reader.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::uint8_t kSoi = 0xD8;
constexpr std::uint8_t kEoi = 0xD9;
constexpr std::uint8_t kSos = 0xDA;
constexpr std::uint8_t kApp1 = 0xE1;
constexpr std::uint8_t kFill = 0xFF;
constexpr std::array<std::uint8_t, 6> kExifIdentifier = {'E', 'x', 'i', 'f', 0, 0};
// An ICC profile alone may take 255 segments; a file with more markers than this before its
// scan is no photo, and the bound keeps one of fill bytes or empty segments from being stepped
// through to its end, however large.
constexpr int kMaxMarkers = 1024;

} // namespace

std::optional<std::uint64_t> FindExifSegment(HeaderBytes& bytes) {
    const auto soi = bytes.read(0, 2);
    if (!soi || (*soi)[0] != 0xFF || (*soi)[1] != kSoi) {
        return std::nullopt;
    }
    std::uint64_t position = 2;
    for (int markers = 0; markers < kMaxMarkers; ++markers) {
        const auto head = bytes.read(position, 4);
        if (!head || (*head)[0] != 0xFF) {
            return std::nullopt;
        }
        const std::uint8_t marker = (*head)[1];
        if (marker == kFill) {
            ++position;
            continue;
        }
        if (marker == kSos || marker == kEoi) {
            return std::nullopt;
        }
        // The length counts its own two bytes.
        const std::uint32_t length = *ByteReader(*head, true).u16(2);
        if (length < 2) {
            return std::nullopt;
        }
        if (marker == kApp1 && length >= 2 + kExifIdentifier.size()) {
            const auto identifier = bytes.read(position + 4, kExifIdentifier.size());
            if (identifier && std::ranges::equal(*identifier, kExifIdentifier)) {
                return position + 4 + kExifIdentifier.size();
            }
        }
        position += 2 + length;
    }
    return std::nullopt;
}
