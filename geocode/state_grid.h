#pragma once

#include "geocode/state_polygons.h"

#include <cstdint>
#include <optional>
#include <vector>

// The part of the earth a grid covers, in grid units (1e-4 degree), and the size of its cells.
// Its northmost row of cells must hold no polygon: the walk that finds the cells' states starts
// there.
struct GridExtent {
    std::int32_t west = 0;
    std::int32_t south = 0;
    std::size_t columns = 0;
    std::size_t rows = 0;
    std::int32_t cellUnits = 0;
};
// The whole earth in cells of a quarter degree.
inline constexpr GridExtent kWholeEarth{-180 * 10000, -90 * 10000, 1440, 720, 2500};

// Which state's polygon holds a position. The earth is cut into cells of a quarter degree; each
// cell lists the edges that touch it and knows which state holds its centre. A position's state
// is its cell centre's, changed by every edge the short way from the position to the centre
// crosses: a look-up tests only the edges of one cell, whatever the size of the state. The
// centres' states are found the same way, walking down from the north pole, where no state lies.
class StateGrid {
public:
    // `polygons` must outlive the grid.
    explicit StateGrid(const StatePolygons& polygons)
        : StateGrid(polygons.rings, polygons.points, kWholeEarth) {}
    // The same over any rings and points (each ring's state an index of the caller's), which
    // must outlive the grid.
    StateGrid(const std::vector<StateRing>& rings, const std::vector<GridPoint>& points,
              const GridExtent& extent);

    // False when the polygons' edges would fill the cells with more than kMostCellEntries
    // entries (no real data comes near), or reach the northmost row or out of the extent; such a
    // grid finds nothing.
    bool usable() const { return !cellStart_.empty(); }

    // A position in grid units (1e-4 degree), not necessarily on the grid's integer points.
    struct Point {
        double x = 0.0; // longitude
        double y = 0.0; // latitude
    };

    struct Found {
        std::uint32_t state = 0;
        double kilometres = 0.0; // 0 inside the state's polygon
    };

    // The state whose polygon holds the position; else the state with an edge nearest to it
    // within `nearbyKilometres`; none for a position that is not a finite point in the extent.
    std::optional<Found> find(double latitude, double longitude, double nearbyKilometres) const;

private:
    std::optional<std::uint32_t> containing(Point point, std::size_t column, std::size_t row) const;
    std::optional<Found> nearest(double latitude, double longitude, double kilometres) const;
    std::uint32_t stateOfEdge(std::uint32_t edge) const;
    std::size_t column(std::int64_t longitude) const;
    std::size_t row(std::int64_t latitude) const;
    Point centre(std::size_t column, std::size_t row) const;
    std::size_t cell(std::size_t column, std::size_t row) const {
        return row * extent_.columns + column;
    }
    bool listEdges();
    void findCentreStates();

    static constexpr std::int32_t kNoState = -1;
    // Natural Earth's 1.3 million edges fill some 1.5 million.
    static constexpr std::uint64_t kMostCellEntries = 16'000'000;

    const std::vector<StateRing>& rings_;
    const std::vector<GridPoint>& points_;
    GridExtent extent_;
    // The edges touching cell i, each named by the index of its first point, are
    // edges_[cellStart_[i], cellStart_[i + 1]).
    std::vector<std::uint32_t> cellStart_;
    std::vector<std::uint32_t> edges_;
    std::vector<std::int32_t> centreState_;
};
