#include "geocode/japan_municipalities.h"

#include "geocode/data_cursor.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr std::string_view kMagic = "TSJAPAN1";
// Least bytes of each item, to check a count against the bytes left before reserving for it.
constexpr std::uint64_t kLeastTextBytes = 1;
constexpr std::uint64_t kLeastRingBytes = 7;
constexpr std::uint64_t kLeastTownBytes = 3;
constexpr std::uint64_t kLeastMunicipalityBytes = 4 + kLeastRingBytes;

bool ReadTexts(DataCursor& cursor, std::vector<std::string>& texts) {
    const auto count = cursor.number();
    if (!count || *count > cursor.left() / kLeastTextBytes) {
        return false;
    }
    texts.reserve(*count);
    for (std::uint32_t i = 0; i < *count; ++i) {
        auto text = cursor.text();
        if (!text) {
            return false;
        }
        texts.push_back(std::move(*text));
    }
    return true;
}

bool ReadTowns(DataCursor& cursor, JapanMunicipalities& japan, JapanMunicipality& municipality) {
    const auto count = cursor.number();
    if (!count || *count > cursor.left() / kLeastTownBytes) {
        return false;
    }
    municipality.townBegin = static_cast<std::uint32_t>(japan.towns.size());
    std::int64_t longitude = 0;
    std::int64_t latitude = 0;
    for (std::uint32_t i = 0; i < *count; ++i) {
        const auto name = cursor.number();
        const auto dLongitude = cursor.signedNumber();
        const auto dLatitude = cursor.signedNumber();
        if (!name || *name >= japan.townNames.size() || !dLongitude || !dLatitude ||
            (i > 0 && *dLatitude < 0)) {
            return false;
        }
        longitude += *dLongitude;
        latitude += *dLatitude;
        if (!onTheEarth(longitude, latitude)) {
            return false;
        }
        japan.towns.push_back(
            {{static_cast<std::int32_t>(longitude), static_cast<std::int32_t>(latitude)}, *name});
    }
    municipality.townEnd = static_cast<std::uint32_t>(japan.towns.size());
    return true;
}

bool ReadMunicipality(DataCursor& cursor, JapanMunicipalities& japan) {
    JapanMunicipality municipality;
    const auto prefecture = cursor.number();
    auto city = cursor.text();
    auto name = cursor.text();
    const auto rings = cursor.number();
    if (!prefecture || *prefecture >= japan.prefectures.size() || !city || !name || !rings ||
        *rings == 0 || *rings > cursor.left() / kLeastRingBytes) {
        return false;
    }
    municipality.prefecture = *prefecture;
    municipality.city = std::move(*city);
    municipality.name = std::move(*name);
    const auto index = static_cast<std::uint32_t>(japan.municipalities.size());
    for (std::uint32_t i = 0; i < *rings; ++i) {
        if (!readRing(cursor, index, japan.rings, japan.points)) {
            return false;
        }
    }
    if (!ReadTowns(cursor, japan, municipality)) {
        return false;
    }
    japan.municipalities.push_back(std::move(municipality));
    return true;
}

} // namespace

std::optional<JapanMunicipalities> readJapanMunicipalities(std::string_view bytes) {
    DataCursor cursor(bytes);
    JapanMunicipalities japan;
    if (!cursor.skipMagic(kMagic) || !ReadTexts(cursor, japan.prefectures) ||
        !ReadTexts(cursor, japan.townNames)) {
        return std::nullopt;
    }
    const auto count = cursor.number();
    if (!count || *count == 0 || *count > cursor.left() / kLeastMunicipalityBytes) {
        return std::nullopt;
    }
    japan.municipalities.reserve(*count);
    for (std::uint32_t i = 0; i < *count; ++i) {
        if (!ReadMunicipality(cursor, japan)) {
            return std::nullopt;
        }
    }
    if (cursor.left() != 0) {
        return std::nullopt;
    }
    japan.points.shrink_to_fit();
    japan.rings.shrink_to_fit();
    japan.towns.shrink_to_fit();
    return japan;
}

// The towns lie from the south to the north: the search starts at the position's latitude and
// goes both ways until the latitude alone is farther than the nearest town found.
std::optional<std::uint32_t> nearestTown(const JapanMunicipalities& japan,
                                         std::uint32_t municipality, double longitude,
                                         double latitude) {
    const JapanMunicipality& place = japan.municipalities[municipality];
    if (place.townBegin == place.townEnd) {
        return std::nullopt;
    }
    const double xScale = std::cos(latitude / kGridUnitsPerDegree * std::numbers::pi / 180.0);
    const auto begin = japan.towns.begin() + place.townBegin;
    const auto end = japan.towns.begin() + place.townEnd;
    const auto start = std::lower_bound(begin, end, latitude, [](const JapanTown& town, double y) {
        return town.point.latitude < y;
    });
    std::uint32_t best = 0;
    double bestSquared = INFINITY;
    const auto consider = [&](auto town) {
        const double dy = town->point.latitude - latitude;
        if (dy * dy >= bestSquared) {
            return false;
        }
        const double dx = (town->point.longitude - longitude) * xScale;
        if (dx * dx + dy * dy < bestSquared) {
            bestSquared = dx * dx + dy * dy;
            best = static_cast<std::uint32_t>(town - japan.towns.begin());
        }
        return true;
    };
    for (auto north = start; north != end && consider(north); ++north) {
    }
    for (auto south = start; south != begin && consider(south - 1); --south) {
    }
    return best;
}
