#pragma once

#include <cstddef>
#include <optional>
#include <vector>

struct GeoPoint {
    double latitude = 0.0;  // degrees, north positive
    double longitude = 0.0; // degrees, east positive
};

// Nearest-point look-ups over a fixed set of points on the earth: a k-d tree over their unit
// vectors, in which straight-line distance grows with distance along the surface. So the poles
// and the 180th meridian need no special case, and a look-up visits a few dozen points.
class PlaceIndex {
public:
    explicit PlaceIndex(const std::vector<GeoPoint>& points);

    struct Nearest {
        std::size_t index = 0; // into the points the index was built from
        double kilometres = 0.0;
    };

    // The point nearest to the position and its great-circle distance; none when the index is
    // empty or the position is not a finite number pair.
    std::optional<Nearest> nearest(double latitude, double longitude) const;

private:
    struct Node {
        double axis[3];
        std::size_t index;
    };

    void build(std::size_t begin, std::size_t end, int depth);
    void search(const double (&target)[3], std::size_t begin, std::size_t end, int depth,
                Nearest& best, double& bestSquared) const;

    // A balanced tree laid out in place: the median of each range is its root.
    std::vector<Node> nodes_;
};
