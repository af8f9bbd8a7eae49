#include "geocode/data_cursor.h"

namespace {

constexpr int kLongestNumberBits = 35; // five bytes of seven bits
constexpr std::int64_t kLongitudeLimit = 180 * 10000;
constexpr std::int64_t kLatitudeLimit = 90 * 10000;
// Each point takes at least two bytes.
constexpr std::uint64_t kLeastPointBytes = 2;
constexpr std::uint32_t kLeastRingPoints = 3;

} // namespace

std::optional<std::uint32_t> DataCursor::number() {
    std::uint64_t value = 0;
    for (int shift = 0; shift < kLongestNumberBits; shift += 7) {
        const auto byte = reader_.u8(offset_);
        if (!byte) {
            return std::nullopt;
        }
        ++offset_;
        value |= std::uint64_t{*byte & 0x7Fu} << shift;
        if ((*byte & 0x80u) == 0) {
            if (value > UINT32_MAX) {
                return std::nullopt;
            }
            return static_cast<std::uint32_t>(value);
        }
    }
    return std::nullopt;
}

std::optional<std::int64_t> DataCursor::signedNumber() {
    const auto value = number();
    if (!value) {
        return std::nullopt;
    }
    const std::int64_t magnitude = *value >> 1;
    return (*value & 1u) != 0 ? -magnitude - 1 : magnitude;
}

std::optional<std::string> DataCursor::text() {
    const auto length = number();
    if (!length) {
        return std::nullopt;
    }
    const auto bytes = reader_.slice(offset_, *length);
    if (!bytes) {
        return std::nullopt;
    }
    offset_ += *length;
    return std::string(reinterpret_cast<const char*>(bytes->data()), bytes->size());
}

bool DataCursor::skipMagic(std::string_view magic) {
    const auto bytes = reader_.slice(0, magic.size());
    if (!bytes ||
        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()) != magic) {
        return false;
    }
    offset_ = magic.size();
    return true;
}

bool onTheEarth(std::int64_t longitude, std::int64_t latitude) {
    return longitude >= -kLongitudeLimit && longitude <= kLongitudeLimit &&
           latitude >= -kLatitudeLimit && latitude <= kLatitudeLimit;
}

bool readRing(DataCursor& cursor, std::uint32_t owner, std::vector<StateRing>& rings,
              std::vector<GridPoint>& points) {
    const auto count = cursor.number();
    if (!count || *count < kLeastRingPoints || *count > cursor.left() / kLeastPointBytes) {
        return false;
    }
    StateRing ring;
    ring.begin = static_cast<std::uint32_t>(points.size());
    ring.state = owner;
    std::int64_t longitude = 0;
    std::int64_t latitude = 0;
    for (std::uint32_t i = 0; i < *count; ++i) {
        const auto dLongitude = cursor.signedNumber();
        const auto dLatitude = cursor.signedNumber();
        if (!dLongitude || !dLatitude) {
            return false;
        }
        longitude += *dLongitude;
        latitude += *dLatitude;
        if (!onTheEarth(longitude, latitude)) {
            return false;
        }
        points.push_back(
            {static_cast<std::int32_t>(longitude), static_cast<std::int32_t>(latitude)});
    }
    // The closing point is repeated, so that every edge runs from a point to the next one.
    points.push_back(points[ring.begin]);
    ring.end = static_cast<std::uint32_t>(points.size());
    rings.push_back(ring);
    return true;
}
