#include "geocode/japan_municipalities.h"
#include "geocode/state_polygons.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace {

constexpr std::int32_t kLongitudeLimit = 1'800'000;
constexpr std::int32_t kLatitudeLimit = 900'000;

// Every ring is closed on the earth, the rings follow each other, and each has an owner.
void CheckRings(const std::vector<StateRing>& rings, const std::vector<GridPoint>& points,
                std::size_t owners, std::size_t size) {
    if (points.size() > size) {
        __builtin_trap();
    }
    std::uint32_t next = 0;
    for (const StateRing& ring : rings) {
        if (ring.begin != next || ring.end < ring.begin + 4 || ring.end > points.size() ||
            ring.state >= owners || !(points[ring.begin] == points[ring.end - 1])) {
            __builtin_trap();
        }
        next = ring.end;
    }
    for (const GridPoint& point : points) {
        if (point.longitude < -kLongitudeLimit || point.longitude > kLongitudeLimit ||
            point.latitude < -kLatitudeLimit || point.latitude > kLatitudeLimit) {
            __builtin_trap();
        }
    }
    if (next != points.size()) {
        __builtin_trap();
    }
}

// Each municipality's towns follow the one before's, lie from the south to the north and name a
// name of the table.
void CheckTowns(const JapanMunicipalities& japan) {
    std::uint32_t next = 0;
    for (const JapanMunicipality& municipality : japan.municipalities) {
        if (municipality.townBegin != next || municipality.townEnd < municipality.townBegin ||
            municipality.townEnd > japan.towns.size() ||
            municipality.prefecture >= japan.prefectures.size()) {
            __builtin_trap();
        }
        for (std::uint32_t i = municipality.townBegin; i < municipality.townEnd; ++i) {
            if (japan.towns[i].name >= japan.townNames.size() ||
                (i > municipality.townBegin &&
                 japan.towns[i].point.latitude < japan.towns[i - 1].point.latitude)) {
                __builtin_trap();
            }
        }
        next = municipality.townEnd;
    }
    if (next != japan.towns.size()) {
        __builtin_trap();
    }
}

} // namespace

// The built-in geocoder's data files, shipped with the program, go through these readers; the
// magic at the start tells which of them takes an input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto polygons = readStatePolygons(bytes)) {
        if (polygons->states.empty()) {
            __builtin_trap();
        }
        CheckRings(polygons->rings, polygons->points, polygons->states.size(), size);
    }
    if (const auto japan = readJapanMunicipalities(bytes)) {
        if (japan->municipalities.empty()) {
            __builtin_trap();
        }
        CheckRings(japan->rings, japan->points, japan->municipalities.size(), size);
        CheckTowns(*japan);
        for (std::uint32_t m = 0; m < japan->municipalities.size(); ++m) {
            const auto town =
                nearestTown(*japan, m, japan->points[0].longitude, japan->points[0].latitude);
            const JapanMunicipality& municipality = japan->municipalities[m];
            if (town && (*town < municipality.townBegin || *town >= municipality.townEnd)) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
