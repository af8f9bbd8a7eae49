#include "geocode/state_grid.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr std::int64_t kWest = -180 * 10000;
constexpr std::int64_t kSouth = -90 * 10000;
constexpr double kKilometresPerDegree = 6371.0088 * std::numbers::pi / 180.0;

// Twice the signed area of the triangle a, b, c: positive when c lies left of a→b. Exact: the
// coordinates are integers far below 2^31.
std::int64_t Orientation(GridPoint a, GridPoint b, GridPoint c) {
    return (std::int64_t{b.longitude} - a.longitude) * (std::int64_t{c.latitude} - a.latitude) -
           (std::int64_t{b.latitude} - a.latitude) * (std::int64_t{c.longitude} - a.longitude);
}

// Whether edge a→b crosses the segment p→q. A point on the line p→q counts as right of it, so
// that of two edges meeting there exactly the right number cross.
bool Crosses(GridPoint a, GridPoint b, GridPoint p, GridPoint q) {
    if (std::max(a.longitude, b.longitude) < std::min(p.longitude, q.longitude) ||
        std::min(a.longitude, b.longitude) > std::max(p.longitude, q.longitude) ||
        std::max(a.latitude, b.latitude) < std::min(p.latitude, q.latitude) ||
        std::min(a.latitude, b.latitude) > std::max(p.latitude, q.latitude)) {
        return false;
    }
    if ((Orientation(p, q, a) > 0) == (Orientation(p, q, b) > 0)) {
        return false;
    }
    return (Orientation(a, b, p) > 0) != (Orientation(a, b, q) > 0);
}

// Kilometres from p to the segment a→b, on a plane that keeps distances near p.
double DistanceToEdge(double x, double y, GridPoint a, GridPoint b, double xScale) {
    const double ax = (a.longitude - x) * xScale;
    const double ay = a.latitude - y;
    const double bx = (b.longitude - x) * xScale;
    const double by = b.latitude - y;
    const double dx = bx - ax;
    const double dy = by - ay;
    const double length = dx * dx + dy * dy;
    const double t = length > 0.0 ? std::clamp(-(ax * dx + ay * dy) / length, 0.0, 1.0) : 0.0;
    const double cx = ax + t * dx;
    const double cy = ay + t * dy;
    return std::sqrt(cx * cx + cy * cy) / kGridUnitsPerDegree * kKilometresPerDegree;
}

// The column or row of a coordinate in grid units, `origin` being the west or south edge.
std::size_t CellOf(std::int64_t units, std::int64_t origin, std::size_t cells,
                   std::int64_t cellUnits) {
    const std::int64_t cell = units < origin ? 0 : (units - origin) / cellUnits;
    return static_cast<std::size_t>(std::min<std::int64_t>(cell, cells - 1));
}

} // namespace

StateGrid::StateGrid(const StatePolygons& polygons) : polygons_(polygons) {
    listEdges();
    findCentreStates();
}

void StateGrid::listEdges() {
    // Counted first, then filled: one array for all cells.
    cellStart_.assign(kColumns * kRows + 1, 0);
    const auto forEachCell = [this](GridPoint a, GridPoint b, auto&& visit) {
        const std::size_t west = column(std::min(a.longitude, b.longitude));
        const std::size_t east = column(std::max(a.longitude, b.longitude));
        const std::size_t south = row(std::min(a.latitude, b.latitude));
        const std::size_t north = row(std::max(a.latitude, b.latitude));
        for (std::size_t row = south; row <= north; ++row) {
            for (std::size_t column = west; column <= east; ++column) {
                visit(row * kColumns + column);
            }
        }
    };
    const auto& points = polygons_.points;
    for (const StateRing& ring : polygons_.rings) {
        for (std::uint32_t k = ring.begin; k + 1 < ring.end; ++k) {
            forEachCell(points[k], points[k + 1],
                        [&](std::size_t cell) { ++cellStart_[cell + 1]; });
        }
    }
    for (std::size_t i = 1; i < cellStart_.size(); ++i) {
        cellStart_[i] += cellStart_[i - 1];
    }
    edges_.resize(cellStart_.back());
    std::vector<std::uint32_t> filled(cellStart_.begin(), cellStart_.end() - 1);
    for (const StateRing& ring : polygons_.rings) {
        for (std::uint32_t k = ring.begin; k + 1 < ring.end; ++k) {
            forEachCell(points[k], points[k + 1],
                        [&](std::size_t cell) { edges_[filled[cell]++] = k; });
        }
    }
}

// Along the east-west line through each row of centres, every state is entered and left at the
// edges that cross it; between two crossings the states entered and not left hold the centres.
void StateGrid::findCentreStates() {
    struct Crossing {
        double longitude;
        std::uint32_t state;
    };
    std::vector<std::vector<Crossing>> rows(kRows);
    const auto& points = polygons_.points;
    const std::int64_t firstCentre = kSouth + kCellUnits / 2;
    for (const StateRing& ring : polygons_.rings) {
        for (std::uint32_t k = ring.begin; k + 1 < ring.end; ++k) {
            const GridPoint a = points[k];
            const GridPoint b = points[k + 1];
            const std::int64_t low = std::min(a.latitude, b.latitude);
            const std::int64_t high = std::max(a.latitude, b.latitude);
            // The rows whose centre line y satisfies low <= y < high.
            const std::int64_t from = low - firstCentre;
            std::int64_t row = from <= 0 ? 0 : (from + kCellUnits - 1) / kCellUnits;
            for (; row < static_cast<std::int64_t>(kRows); ++row) {
                const std::int64_t y = firstCentre + row * kCellUnits;
                if (y >= high) {
                    break;
                }
                const double t = static_cast<double>(y - a.latitude) / (b.latitude - a.latitude);
                rows[row].push_back({a.longitude + t * (b.longitude - a.longitude), ring.state});
            }
        }
    }
    centreState_.assign(kColumns * kRows, kNoState);
    std::vector<std::uint32_t> inside;
    for (std::size_t row = 0; row < kRows; ++row) {
        auto& crossings = rows[row];
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing& a, const Crossing& b) { return a.longitude < b.longitude; });
        inside.clear();
        std::size_t next = 0;
        for (std::size_t column = 0; column < kColumns; ++column) {
            const double x = static_cast<double>(centre(column, row).longitude);
            for (; next < crossings.size() && crossings[next].longitude < x; ++next) {
                const auto found = std::find(inside.begin(), inside.end(), crossings[next].state);
                if (found != inside.end()) {
                    inside.erase(found);
                } else {
                    inside.push_back(crossings[next].state);
                }
            }
            if (!inside.empty()) {
                centreState_[cell(column, row)] =
                    static_cast<std::int32_t>(*std::min_element(inside.begin(), inside.end()));
            }
        }
        std::vector<Crossing>().swap(crossings);
    }
}

std::size_t StateGrid::column(std::int64_t longitude) {
    return CellOf(longitude, kWest, kColumns, kCellUnits);
}

std::size_t StateGrid::row(std::int64_t latitude) {
    return CellOf(latitude, kSouth, kRows, kCellUnits);
}

GridPoint StateGrid::centre(std::size_t column, std::size_t row) const {
    return {static_cast<std::int32_t>(kWest + static_cast<std::int64_t>(column) * kCellUnits +
                                      kCellUnits / 2),
            static_cast<std::int32_t>(kSouth + static_cast<std::int64_t>(row) * kCellUnits +
                                      kCellUnits / 2)};
}

std::uint32_t StateGrid::stateOfEdge(std::uint32_t edge) const {
    const auto ring = std::upper_bound(
        polygons_.rings.begin(), polygons_.rings.end(), edge,
        [](std::uint32_t point, const StateRing& ring) { return point < ring.begin; });
    return std::prev(ring)->state;
}

std::optional<std::uint32_t> StateGrid::containing(GridPoint point, std::size_t column,
                                                   std::size_t row) const {
    const std::size_t here = cell(column, row);
    const GridPoint middle = centre(column, row);
    // The states whose boundary lies an odd number of times between the point and the centre.
    std::vector<std::uint32_t> flipped;
    const auto& points = polygons_.points;
    for (std::uint32_t i = cellStart_[here]; i < cellStart_[here + 1]; ++i) {
        const std::uint32_t k = edges_[i];
        if (!Crosses(points[k], points[k + 1], point, middle)) {
            continue;
        }
        const std::uint32_t state = stateOfEdge(k);
        const auto found = std::find(flipped.begin(), flipped.end(), state);
        if (found != flipped.end()) {
            flipped.erase(found);
        } else {
            flipped.push_back(state);
        }
    }
    const std::int32_t centreState = centreState_[here];
    std::optional<std::uint32_t> best;
    const auto consider = [&best](std::uint32_t state) {
        if (!best || state < *best) {
            best = state;
        }
    };
    const bool centreLeft = centreState != kNoState &&
                            std::find(flipped.begin(), flipped.end(),
                                      static_cast<std::uint32_t>(centreState)) != flipped.end();
    if (centreState != kNoState && !centreLeft) {
        consider(static_cast<std::uint32_t>(centreState));
    }
    for (const std::uint32_t state : flipped) {
        if (static_cast<std::int32_t>(state) != centreState) {
            consider(state);
        }
    }
    return best;
}

std::optional<StateGrid::Found> StateGrid::nearest(double latitude, double longitude,
                                                   double kilometres) const {
    const double x = longitude * kGridUnitsPerDegree;
    const double y = latitude * kGridUnitsPerDegree;
    const double xScale = std::max(std::cos(latitude * std::numbers::pi / 180.0), 0.01);
    const double reachY = kilometres / kKilometresPerDegree * kGridUnitsPerDegree;
    const double reachX = std::min(reachY / xScale, 180.0 * kGridUnitsPerDegree);
    const auto units = [](double value) { return static_cast<std::int64_t>(std::floor(value)); };
    const std::size_t west = column(units(x - reachX));
    const std::size_t east = column(units(x + reachX));
    const std::size_t south = row(units(y - reachY));
    const std::size_t north = row(units(y + reachY));
    std::optional<Found> best;
    const auto& points = polygons_.points;
    for (std::size_t r = south; r <= north; ++r) {
        for (std::size_t c = west; c <= east; ++c) {
            const std::size_t here = cell(c, r);
            for (std::uint32_t i = cellStart_[here]; i < cellStart_[here + 1]; ++i) {
                const std::uint32_t k = edges_[i];
                const double distance = DistanceToEdge(x, y, points[k], points[k + 1], xScale);
                if (distance <= kilometres && (!best || distance < best->kilometres)) {
                    best = Found{stateOfEdge(k), distance};
                }
            }
        }
    }
    return best;
}

std::optional<StateGrid::Found> StateGrid::find(double latitude, double longitude,
                                                double nearbyKilometres) const {
    if (!std::isfinite(latitude) || !std::isfinite(longitude) || latitude < -90.0 ||
        latitude > 90.0 || longitude < -180.0 || longitude > 180.0) {
        return std::nullopt;
    }
    const GridPoint point{static_cast<std::int32_t>(std::lround(longitude * kGridUnitsPerDegree)),
                          static_cast<std::int32_t>(std::lround(latitude * kGridUnitsPerDegree))};
    if (const auto state = containing(point, column(point.longitude), row(point.latitude))) {
        return Found{*state, 0.0};
    }
    return nearest(latitude, longitude, nearbyKilometres);
}
