#include "geocode/state_grid.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

using Point = StateGrid::Point;

constexpr double kKilometresPerDegree = 6371.0088 * std::numbers::pi / 180.0;

// A cell's centre is moved off the data's integer grid by irrational fractions of a unit, so
// that no edge runs exactly through it: every test sees it on one side of every edge, the same
// side each time, and the look-ups and the walk that finds the centres' states always agree.
constexpr double kCentreOffsetX = 0.41421356237309515; // sqrt(2) - 1
constexpr double kCentreOffsetY = 0.73205080756887719; // sqrt(3) - 1

Point At(GridPoint point) {
    return {static_cast<double>(point.longitude), static_cast<double>(point.latitude)};
}

// Twice the signed area of the triangle a, b, c: positive when c lies left of a→b.
double Orientation(Point a, Point b, Point c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// Whether edge a→b crosses the segment p→q. A vertex on the line p→q counts as right of it, so
// that of two edges meeting there exactly the right number cross.
bool Crosses(GridPoint edgeStart, GridPoint edgeEnd, Point p, Point q) {
    const Point a = At(edgeStart);
    const Point b = At(edgeEnd);
    if (std::max(a.x, b.x) < std::min(p.x, q.x) || std::min(a.x, b.x) > std::max(p.x, q.x) ||
        std::max(a.y, b.y) < std::min(p.y, q.y) || std::min(a.y, b.y) > std::max(p.y, q.y)) {
        return false;
    }
    if ((Orientation(p, q, a) > 0) == (Orientation(p, q, b) > 0)) {
        return false;
    }
    return (Orientation(a, b, p) > 0) != (Orientation(a, b, q) > 0);
}

// Takes `state` out of `states` when it is there, else puts it in.
void Flip(std::vector<std::uint32_t>& states, std::uint32_t state) {
    const auto found = std::find(states.begin(), states.end(), state);
    if (found != states.end()) {
        states.erase(found);
    } else {
        states.push_back(state);
    }
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

StateGrid::StateGrid(const std::vector<StateRing>& rings, const std::vector<GridPoint>& points,
                     const GridExtent& extent)
    : rings_(rings), points_(points), extent_(extent) {
    if (listEdges()) {
        findCentreStates();
    }
}

bool StateGrid::listEdges() {
    struct Span {
        std::size_t west, east, south, north;
    };
    const auto spanOf = [this](GridPoint a, GridPoint b) {
        return Span{column(std::min(a.longitude, b.longitude)),
                    column(std::max(a.longitude, b.longitude)),
                    row(std::min(a.latitude, b.latitude)), row(std::max(a.latitude, b.latitude))};
    };
    const auto& points = points_;
    const std::int64_t east = extent_.west + std::int64_t{extent_.cellUnits} * extent_.columns;
    const std::int64_t north = extent_.south + std::int64_t{extent_.cellUnits} * extent_.rows;
    // Edges that span half the earth would list themselves in cell after cell: a file of such
    // edges is refused before anything is spent on it.
    std::uint64_t entries = 0;
    for (const GridPoint& point : points) {
        if (point.longitude < extent_.west || point.longitude > east ||
            point.latitude < extent_.south || point.latitude > north ||
            row(point.latitude) == extent_.rows - 1) {
            return false;
        }
    }
    for (const StateRing& ring : rings_) {
        for (std::uint32_t k = ring.begin; k + 1 < ring.end; ++k) {
            const Span span = spanOf(points[k], points[k + 1]);
            entries += std::uint64_t{span.east - span.west + 1} * (span.north - span.south + 1);
        }
    }
    if (entries > kMostCellEntries) {
        return false;
    }
    // Counted first, then filled: one array for all cells.
    cellStart_.assign(extent_.columns * extent_.rows + 1, 0);
    const auto forEachCell = [this, &spanOf](GridPoint a, GridPoint b, auto&& visit) {
        const Span span = spanOf(a, b);
        for (std::size_t row = span.south; row <= span.north; ++row) {
            for (std::size_t column = span.west; column <= span.east; ++column) {
                visit(cell(column, row));
            }
        }
    };
    for (const StateRing& ring : rings_) {
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
    for (const StateRing& ring : rings_) {
        for (std::uint32_t k = ring.begin; k + 1 < ring.end; ++k) {
            forEachCell(points[k], points[k + 1],
                        [&](std::size_t cell) { edges_[filled[cell]++] = k; });
        }
    }
    return true;
}

// Each column's centres are walked from the north, where no state lies near the pole, down to the
// south: between two centres, every edge crossing the way flips its state in or out. The test is
// the one the look-ups use, so a centre on a border is classed exactly as a look-up classes it.
void StateGrid::findCentreStates() {
    centreState_.assign(extent_.columns * extent_.rows, kNoState);
    const auto& points = points_;
    std::vector<std::uint32_t> inside;
    std::vector<std::uint32_t> edges;
    for (std::size_t c = 0; c < extent_.columns; ++c) {
        inside.clear();
        for (std::size_t r = extent_.rows - 1; r-- > 0;) {
            const std::size_t above = cell(c, r + 1);
            const std::size_t here = cell(c, r);
            edges.assign(edges_.begin() + cellStart_[above],
                         edges_.begin() + cellStart_[above + 1]);
            edges.insert(edges.end(), edges_.begin() + cellStart_[here],
                         edges_.begin() + cellStart_[here + 1]);
            if (!edges.empty()) {
                // An edge touching both cells is one crossing, not two.
                std::sort(edges.begin(), edges.end());
                edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
                const Point from = centre(c, r + 1);
                const Point to = centre(c, r);
                for (const std::uint32_t k : edges) {
                    if (Crosses(points[k], points[k + 1], from, to)) {
                        Flip(inside, stateOfEdge(k));
                    }
                }
            }
            if (!inside.empty()) {
                centreState_[here] =
                    static_cast<std::int32_t>(*std::min_element(inside.begin(), inside.end()));
            }
        }
    }
}

std::size_t StateGrid::column(std::int64_t longitude) const {
    return CellOf(longitude, extent_.west, extent_.columns, extent_.cellUnits);
}

std::size_t StateGrid::row(std::int64_t latitude) const {
    return CellOf(latitude, extent_.south, extent_.rows, extent_.cellUnits);
}

StateGrid::Point StateGrid::centre(std::size_t column, std::size_t row) const {
    const std::int64_t size = extent_.cellUnits;
    return {
        static_cast<double>(extent_.west + static_cast<std::int64_t>(column) * size + size / 2) +
            kCentreOffsetX,
        static_cast<double>(extent_.south + static_cast<std::int64_t>(row) * size + size / 2) +
            kCentreOffsetY};
}

std::uint32_t StateGrid::stateOfEdge(std::uint32_t edge) const {
    const auto ring = std::upper_bound(
        rings_.begin(), rings_.end(), edge,
        [](std::uint32_t point, const StateRing& ring) { return point < ring.begin; });
    return std::prev(ring)->state;
}

std::optional<std::uint32_t> StateGrid::containing(Point point, std::size_t column,
                                                   std::size_t row) const {
    const std::size_t here = cell(column, row);
    const Point middle = centre(column, row);
    // The states whose boundary lies an odd number of times between the point and the centre.
    std::vector<std::uint32_t> flipped;
    const auto& points = points_;
    for (std::uint32_t i = cellStart_[here]; i < cellStart_[here + 1]; ++i) {
        const std::uint32_t k = edges_[i];
        if (!Crosses(points[k], points[k + 1], point, middle)) {
            continue;
        }
        Flip(flipped, stateOfEdge(k));
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
    const auto& points = points_;
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
    const Point point{longitude * kGridUnitsPerDegree, latitude * kGridUnitsPerDegree};
    const double east = extent_.west + static_cast<double>(extent_.cellUnits) * extent_.columns;
    const double north = extent_.south + static_cast<double>(extent_.cellUnits) * extent_.rows;
    if (!usable() || !std::isfinite(latitude) || !std::isfinite(longitude) ||
        point.x < extent_.west || point.x > east || point.y < extent_.south || point.y > north) {
        return std::nullopt;
    }
    const auto units = [](double value) { return static_cast<std::int64_t>(std::floor(value)); };
    if (const auto state = containing(point, column(units(point.x)), row(units(point.y)))) {
        return Found{*state, 0.0};
    }
    return nearest(latitude, longitude, nearbyKilometres);
}
