#pragma once

#include "geocode/state_polygons.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Japan's municipalities with their polygons and town points, as scripts/derive-japan.py writes
// them into geocode/data/japan.bin.

// A town (大字・町丁目) at its representative point.
struct JapanTown {
    GridPoint point;
    std::uint32_t name = 0; // into townNames
};

// A 市, 町 or 村, one of Tokyo's 特別区, or a ward of a designated city.
struct JapanMunicipality {
    std::uint32_t prefecture = 0; // into prefectures
    std::string city;             // the designated city of a ward ("京都市"), else empty
    std::string name;             // "東山区", "美瑛町", "新宿区"
    // Its towns are towns[townBegin, townEnd), from the south to the north.
    std::uint32_t townBegin = 0;
    std::uint32_t townEnd = 0;
};

struct JapanMunicipalities {
    std::vector<std::string> prefectures;
    std::vector<std::string> townNames;
    std::vector<JapanMunicipality> municipalities;
    std::vector<StateRing> rings; // each ring's state is its municipality
    std::vector<GridPoint> points;
    std::vector<JapanTown> towns;
};

// Reads the file's bytes. Any fault of structure — a wrong magic, a count or length past the end,
// an index out of its table, a ring of fewer than three points, a municipality without rings, a
// point off the earth, towns out of their order, bytes left over — refuses the whole file.
std::optional<JapanMunicipalities> readJapanMunicipalities(std::string_view bytes);

// The nearest town of the municipality to a position in grid units, none when it has no towns.
std::optional<std::uint32_t> nearestTown(const JapanMunicipalities& japan,
                                         std::uint32_t municipality, double longitude,
                                         double latitude);
