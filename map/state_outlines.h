#pragma once

#include "geocode/state_polygons.h"
#include "map/map_projection.h"

#include <cstdint>
#include <vector>

// A short straight piece of a state's boundary in picture coordinates.
struct OutlinePiece {
    MapPoint from;
    MapPoint to;
    std::uint32_t state = 0;
    bool joined = false; // it starts where the piece before it ends
};

// The boundaries of the admin-1 polygons near a view. The file's edges are straight in longitude
// and latitude and run up to five degrees; each is cut into pieces of a few pixels, so that its
// projection follows the same line.
class StateOutlines {
public:
    // `polygons` must outlive the outlines.
    explicit StateOutlines(const StatePolygons& polygons)
        : StateOutlines(polygons.rings, polygons.points) {}
    // The same over any rings and points (Japan's municipalities), which must outlive them.
    StateOutlines(const std::vector<StateRing>& rings, const std::vector<GridPoint>& points);

    // Every piece with an end within `reachRadians` of the middle of the view.
    std::vector<OutlinePiece> near(const MapProjection& projection, double reachRadians) const;

private:
    // What a ring spans, in the file's units.
    struct Span {
        std::int32_t west, east, south, north;
    };

    const std::vector<StateRing>& rings_;
    const std::vector<GridPoint>& points_;
    std::vector<Span> spans_;
};
