#include "geocode/state_polygons.h"

#include "geocode/data_cursor.h"

namespace {

constexpr std::string_view kMagic = "TSADMIN1";
// Each ring takes at least seven bytes.
constexpr std::uint64_t kLeastRingBytes = 7;
// A state takes at least thirteen bytes: five empty names, a ring count and one ring.
constexpr std::uint64_t kLeastStateBytes = 13;

bool ReadState(DataCursor& cursor, StatePolygons& polygons) {
    auto country = cursor.text();
    auto countryName = cursor.text();
    auto geonamesCode = cursor.text();
    auto japaneseName = cursor.text();
    auto name = cursor.text();
    const auto rings = cursor.number();
    if (!country || !countryName || !geonamesCode || !japaneseName || !name || !rings ||
        *rings == 0 || *rings > cursor.left() / kLeastRingBytes) {
        return false;
    }
    const auto state = static_cast<std::uint32_t>(polygons.states.size());
    polygons.states.push_back({std::move(*country), std::move(*countryName),
                               std::move(*geonamesCode), std::move(*japaneseName),
                               std::move(*name)});
    for (std::uint32_t i = 0; i < *rings; ++i) {
        if (!readRing(cursor, state, polygons.rings, polygons.points)) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<StatePolygons> readStatePolygons(std::string_view bytes) {
    DataCursor cursor(bytes);
    if (!cursor.skipMagic(kMagic)) {
        return std::nullopt;
    }
    const auto count = cursor.number();
    if (!count || *count == 0 || *count > cursor.left() / kLeastStateBytes) {
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
