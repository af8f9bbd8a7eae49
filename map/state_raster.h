#pragma once

#include "geocode/state_grid.h"
#include "map/map_projection.h"
#include "map/state_outlines.h"

#include <cstdint>
#include <optional>
#include <vector>

// The state under the centre of every pixel of a view, kNoState for the sea. Each row is walked
// from left to right, every boundary piece crossed flipping its state in or out; the state at the
// row's start comes from the grid, and the grid's state at its end checks the walk. A row whose
// check fails is looked up pixel by pixel.
class StateRaster {
public:
    static constexpr std::int32_t kNoState = -1;

    // `pieces` must hold every boundary piece that crosses the view.
    StateRaster(const std::vector<OutlinePiece>& pieces, const StateGrid& grid,
                const MapProjection& projection);

    // kNoState outside the picture too.
    std::int32_t at(int x, int y) const {
        return x < 0 || y < 0 || x >= size_.width || y >= size_.height
                   ? kNoState
                   : states_[static_cast<std::size_t>(y) * size_.width + x];
    }
    // The states a little left and right of the middle of a piece (kNoState for the sea), seen
    // `step` pixels from it; none for a piece of no length.
    struct Sides {
        std::int32_t left = kNoState;
        std::int32_t right = kNoState;
    };
    std::optional<Sides> sides(const OutlinePiece& piece, double step) const;
    // Rows that the walk got wrong and the grid filled in: for tests and benchmarks.
    int rowsLookedUp() const { return rowsLookedUp_; }

private:
    PixelSize size_;
    std::vector<std::int32_t> states_;
    int rowsLookedUp_ = 0;
};
