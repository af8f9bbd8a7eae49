#include "geocode/state_polygons.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// The built-in geocoder's data file, shipped with the program, goes through this reader.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto polygons = readStatePolygons({reinterpret_cast<const char*>(data), size});
    if (!polygons) {
        return 0;
    }
    // Every point takes two bytes of the file at least, and every ring is closed on the earth.
    if (polygons->points.size() > size || polygons->states.empty()) {
        __builtin_trap();
    }
    std::uint32_t next = 0;
    for (const StateRing& ring : polygons->rings) {
        if (ring.begin != next || ring.end < ring.begin + 4 || ring.end > polygons->points.size() ||
            ring.state >= polygons->states.size() ||
            !(polygons->points[ring.begin] == polygons->points[ring.end - 1])) {
            __builtin_trap();
        }
        next = ring.end;
    }
    for (const GridPoint& point : polygons->points) {
        if (point.longitude < -1'800'000 || point.longitude > 1'800'000 ||
            point.latitude < -900'000 || point.latitude > 900'000) {
            __builtin_trap();
        }
    }
    return next == polygons->points.size() ? 0 : (__builtin_trap(), 0);
}
