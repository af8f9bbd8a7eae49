#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The states, provinces and prefectures the built-in geocoder names, with their polygons, as
// scripts/derive-admin1.py writes them into geocode/data/admin1.bin.

// A position in units of 1e-4 degree, the file's own precision.
struct GridPoint {
    std::int32_t longitude = 0;
    std::int32_t latitude = 0;
    bool operator==(const GridPoint&) const = default;
};
inline constexpr double kGridUnitsPerDegree = 10000.0;

struct StateRecord {
    std::string country;      // ISO 3166-1 alpha-2 ("JP"), or empty
    std::string countryName;  // in English ("Japan")
    std::string geonamesCode; // GeoNames admin-1 code ("JP.40"), or empty
    std::string japaneseName; // "東京都", or empty where Natural Earth has none
    std::string name;         // the local or English name ("Tokyo")
};

// A ring's points are points[begin, end), the last one repeating the first: each of its edges runs
// from a point to the next.
struct StateRing {
    std::uint32_t begin = 0;
    std::uint32_t end = 0;
    std::uint32_t state = 0;
};

struct StatePolygons {
    std::vector<StateRecord> states;
    std::vector<StateRing> rings; // in the order of their states
    std::vector<GridPoint> points;
};

// Reads the file's bytes. Any fault of structure — a wrong magic, no state at all, a count or
// length past the end, a number too long for 32 bits, a ring of fewer than three points, a point
// off the earth, bytes left over — refuses the whole file: a data file that is not exactly what the
// script wrote is not half used. Counts are checked against the bytes left before anything is
// reserved.
std::optional<StatePolygons> readStatePolygons(std::string_view bytes);
