#include "map/map_places.h"

#include "geocode/municipality_name.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr char kJapanPrefix[] = "JP.";

// Whether the name holds kana or kanji: the lead bytes of U+3000 to U+9FFF in UTF-8.
bool WrittenInJapanese(const std::string& name) {
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0xE3 && byte <= 0xE9) {
            return true;
        }
    }
    return false;
}

} // namespace

std::vector<MapPlace> PlacesInView(const GeonamesPlaces& places, const MapProjection& projection) {
    const double reach = projection.cornerAngle();
    const double nearCosine = std::cos(reach);
    const double reachDegrees = reach * 180.0 / std::numbers::pi;
    const GeoPoint middle = projection.middle();
    const PixelSize size = projection.size();
    std::vector<std::pair<std::size_t, MapPoint>> seen;
    const auto& positions = places.positions();
    for (std::size_t i = 0; i < positions.size(); ++i) {
        if (std::abs(positions[i].latitude - middle.latitude) > reachDegrees) {
            continue;
        }
        const EarthVector vector = EarthVectorOf(positions[i].latitude, positions[i].longitude);
        if (projection.cosineFromMiddle(vector) < nearCosine) {
            continue;
        }
        const MapPoint at = projection.project(vector);
        if (at.x >= 0.0 && at.y >= 0.0 && at.x < size.width && at.y < size.height) {
            seen.emplace_back(i, at);
        }
    }
    std::vector<MapPlace> found;
    for (const auto& [index, at] : seen) {
        const GeonamesPlace place = places.place(index);
        const bool japan = place.stateCode.starts_with(kJapanPrefix);
        if (place.name.empty() || (japan && !WrittenInJapanese(place.name))) {
            continue;
        }
        found.push_back(MapPlace{
            japan ? municipalityName(place.name, place.geonamesName, place.population) : place.name,
            place.population, at});
    }
    // Equal populations in the order of the data, so that a map is drawn alike every time.
    std::stable_sort(found.begin(), found.end(), [](const MapPlace& a, const MapPlace& b) {
        return a.population > b.population;
    });
    return found;
}
