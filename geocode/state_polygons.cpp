#include "geocode/state_polygons.h"

#include "platform/byte_reader.h"

namespace {

constexpr std::string_view kMagic = "TSADMIN1";
constexpr std::int64_t kLongitudeLimit = 180 * 10000;
constexpr std::int64_t kLatitudeLimit = 90 * 10000;

// Reads the file front to back; every byte through the bounded reader.
class Cursor {
public:
    explicit Cursor(std::string_view bytes)
        : reader_({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, false),
          size_(bytes.size()) {}

    std::uint64_t left() const { return size_ - offset_; }

    // An unsigned LEB128 number of at most 32 bits.
    std::optional<std::uint32_t> number() {
        std::uint64_t value = 0;
        for (int shift = 0; shift < 35; shift += 7) {
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

    std::optional<std::int64_t> signedNumber() {
        const auto value = number();
        if (!value) {
            return std::nullopt;
        }
        const std::int64_t magnitude = *value >> 1;
        return (*value & 1u) != 0 ? -magnitude - 1 : magnitude;
    }

    std::optional<std::string> text() {
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

    bool skipMagic() {
        const auto bytes = reader_.slice(0, kMagic.size());
        if (!bytes || std::string_view(reinterpret_cast<const char*>(bytes->data()),
                                       bytes->size()) != kMagic) {
            return false;
        }
        offset_ = kMagic.size();
        return true;
    }

private:
    ByteReader reader_;
    std::uint64_t size_;
    std::uint64_t offset_ = 0;
};

bool ReadRing(Cursor& cursor, StatePolygons& polygons, std::uint32_t state) {
    const auto count = cursor.number();
    // Each point takes at least two bytes.
    if (!count || *count < 3 || *count > cursor.left() / 2) {
        return false;
    }
    StateRing ring;
    ring.begin = static_cast<std::uint32_t>(polygons.points.size());
    ring.state = state;
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
        if (longitude < -kLongitudeLimit || longitude > kLongitudeLimit ||
            latitude < -kLatitudeLimit || latitude > kLatitudeLimit) {
            return false;
        }
        polygons.points.push_back(
            {static_cast<std::int32_t>(longitude), static_cast<std::int32_t>(latitude)});
    }
    // The closing point is repeated, so that every edge runs from a point to the next one.
    polygons.points.push_back(polygons.points[ring.begin]);
    ring.end = static_cast<std::uint32_t>(polygons.points.size());
    polygons.rings.push_back(ring);
    return true;
}

bool ReadState(Cursor& cursor, StatePolygons& polygons) {
    StateRecord record;
    auto country = cursor.text();
    auto countryName = cursor.text();
    auto geonamesCode = cursor.text();
    auto japaneseName = cursor.text();
    auto name = cursor.text();
    const auto rings = cursor.number();
    // Each ring takes at least seven bytes.
    if (!country || !countryName || !geonamesCode || !japaneseName || !name || !rings ||
        *rings == 0 || *rings > cursor.left() / 7) {
        return false;
    }
    const auto state = static_cast<std::uint32_t>(polygons.states.size());
    polygons.states.push_back({std::move(*country), std::move(*countryName),
                               std::move(*geonamesCode), std::move(*japaneseName),
                               std::move(*name)});
    for (std::uint32_t i = 0; i < *rings; ++i) {
        if (!ReadRing(cursor, polygons, state)) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<StatePolygons> readStatePolygons(std::string_view bytes) {
    Cursor cursor(bytes);
    if (!cursor.skipMagic()) {
        return std::nullopt;
    }
    const auto count = cursor.number();
    // A state takes at least thirteen bytes: five empty names, a ring count and one ring.
    if (!count || *count == 0 || *count > cursor.left() / 13) {
        return std::nullopt;
    }
    StatePolygons polygons;
    polygons.states.reserve(*count);
    for (std::uint32_t i = 0; i < *count; ++i) {
        if (!ReadState(cursor, polygons)) {
            return std::nullopt;
        }
    }
    if (cursor.left() != 0) {
        return std::nullopt;
    }
    polygons.points.shrink_to_fit();
    polygons.rings.shrink_to_fit();
    return polygons;
}
