#include "map/state_outlines.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
constexpr double kMetresPerDegree = kEarthRadiusMetres / kDegreesPerRadian;
// Pieces short enough that a straight one never strays from the line it stands for.
constexpr double kPiecePixels = 4.0;
// Pieces of one edge at most: the longest edges of the file run along a pole, where a whole
// circle of longitude is one point.
constexpr double kMostPieces = 100000.0;
constexpr std::int32_t kFullCircle = 360 * 10000;

// Longitudes and latitudes within reach of the middle, in the file's units. Near a pole all
// longitudes are.
struct Reach {
    std::array<std::int64_t, 3> west{};
    std::array<std::int64_t, 3> east{};
    std::size_t spans = 0;
    std::int64_t south = 0;
    std::int64_t north = 0;

    bool holds(std::int64_t fromWest, std::int64_t toEast, std::int64_t fromSouth,
               std::int64_t toNorth) const {
        if (toNorth < south || fromSouth > north) {
            return false;
        }
        for (std::size_t i = 0; i < spans; ++i) {
            if (toEast >= west[i] && fromWest <= east[i]) {
                return true;
            }
        }
        return false;
    }
};

Reach ReachOf(const GeoPoint& middle, double radians) {
    const double degrees = radians * kDegreesPerRadian;
    Reach reach;
    reach.south =
        static_cast<std::int64_t>(std::floor((middle.latitude - degrees) * kGridUnitsPerDegree));
    reach.north =
        static_cast<std::int64_t>(std::ceil((middle.latitude + degrees) * kGridUnitsPerDegree));
    const double poleward = std::abs(middle.latitude) + degrees;
    if (poleward >= 90.0) {
        reach.west[0] = -kFullCircle;
        reach.east[0] = kFullCircle;
        reach.spans = 1;
        return reach;
    }
    const double across =
        std::asin(
            std::min(1.0, std::sin(radians) / std::cos(middle.latitude / kDegreesPerRadian))) *
        kDegreesPerRadian;
    const double west = (middle.longitude - across) * kGridUnitsPerDegree;
    const double east = (middle.longitude + across) * kGridUnitsPerDegree;
    // The same span a circle further west and east, for views across the 180th meridian.
    for (const std::int64_t shift : {-kFullCircle, 0, kFullCircle}) {
        reach.west[reach.spans] = static_cast<std::int64_t>(std::floor(west)) + shift;
        reach.east[reach.spans] = static_cast<std::int64_t>(std::ceil(east)) + shift;
        ++reach.spans;
    }
    return reach;
}

EarthVector VectorAt(double longitude, double latitude) {
    return EarthVectorOf(latitude / kGridUnitsPerDegree, longitude / kGridUnitsPerDegree);
}

} // namespace

StateOutlines::StateOutlines(const std::vector<StateRing>& rings,
                             const std::vector<GridPoint>& points)
    : rings_(rings), points_(points) {
    spans_.reserve(rings.size());
    for (const StateRing& ring : rings) {
        Span span{INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN};
        for (std::uint32_t k = ring.begin; k < ring.end; ++k) {
            const GridPoint& point = points[k];
            span.west = std::min(span.west, point.longitude);
            span.east = std::max(span.east, point.longitude);
            span.south = std::min(span.south, point.latitude);
            span.north = std::max(span.north, point.latitude);
        }
        spans_.push_back(span);
    }
}

std::vector<OutlinePiece> StateOutlines::near(const MapProjection& projection,
                                              double reachRadians) const {
    std::vector<OutlinePiece> pieces;
    const Reach reach = ReachOf(projection.middle(), reachRadians);
    const double nearCosine = std::cos(reachRadians);
    const double pieceUnits =
        kPiecePixels * projection.metresPerPixel() / kMetresPerDegree * kGridUnitsPerDegree;
    const auto& points = points_;
    for (std::size_t r = 0; r < rings_.size(); ++r) {
        const Span& span = spans_[r];
        if (!reach.holds(span.west, span.east, span.south, span.north)) {
            continue;
        }
        const StateRing& ring = rings_[r];
        bool joined = false;
        for (std::uint32_t k = ring.begin; k + 1 < ring.end; ++k) {
            const GridPoint a = points[k];
            const GridPoint b = points[k + 1];
            if (!reach.holds(std::min(a.longitude, b.longitude), std::max(a.longitude, b.longitude),
                             std::min(a.latitude, b.latitude), std::max(a.latitude, b.latitude))) {
                joined = false;
                continue;
            }
            const double dx = static_cast<double>(b.longitude) - a.longitude;
            const double dy = static_cast<double>(b.latitude) - a.latitude;
            const int count = static_cast<int>(std::clamp(
                std::ceil(std::max(std::abs(dx), std::abs(dy)) / pieceUnits), 1.0, kMostPieces));
            EarthVector from = VectorAt(a.longitude, a.latitude);
            double fromCosine = projection.cosineFromMiddle(from);
            for (int i = 1; i <= count; ++i) {
                const double t = static_cast<double>(i) / count;
                const EarthVector to = VectorAt(a.longitude + dx * t, a.latitude + dy * t);
                const double toCosine = projection.cosineFromMiddle(to);
                if (std::max(fromCosine, toCosine) >= nearCosine) {
                    pieces.push_back(OutlinePiece{projection.project(from), projection.project(to),
                                                  ring.state, joined});
                    joined = true;
                } else {
                    joined = false;
                }
                from = to;
                fromCosine = toCosine;
            }
        }
    }
    return pieces;
}
