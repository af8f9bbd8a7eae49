#include "map/state_raster.h"

#include <algorithm>
#include <cmath>

namespace {

struct Crossing {
    double x;
    std::uint32_t state;
};

// The states inside which the walk stands: more than one only where polygons overlap, and then
// the one entered last is shown.
class Inside {
public:
    void flip(std::uint32_t state) {
        const auto found = std::find(states_.begin(), states_.end(), state);
        if (found != states_.end()) {
            states_.erase(found);
        } else {
            states_.push_back(state);
        }
    }
    void reset(std::int32_t state) {
        states_.clear();
        if (state != StateRaster::kNoState) {
            states_.push_back(static_cast<std::uint32_t>(state));
        }
    }
    std::int32_t shown() const {
        return states_.empty() ? StateRaster::kNoState : static_cast<std::int32_t>(states_.back());
    }

private:
    std::vector<std::uint32_t> states_;
};

std::int32_t GridState(const StateGrid& grid, const MapProjection& projection, MapPoint point) {
    const auto position = projection.position(point);
    if (!position) {
        return StateRaster::kNoState;
    }
    const auto found = grid.find(position->latitude, position->longitude, 0.0);
    return found ? static_cast<std::int32_t>(found->state) : StateRaster::kNoState;
}

} // namespace

StateRaster::StateRaster(const std::vector<OutlinePiece>& pieces, const StateGrid& grid,
                         const MapProjection& projection)
    : size_(projection.size()),
      states_(static_cast<std::size_t>(size_.width) * size_.height, kNoState) {
    // Each piece crosses the rows whose centre line y + 0.5 lies in [top, bottom).
    std::vector<std::vector<Crossing>> rows(static_cast<std::size_t>(size_.height));
    for (const OutlinePiece& piece : pieces) {
        const double top = std::min(piece.from.y, piece.to.y);
        const double bottom = std::max(piece.from.y, piece.to.y);
        const int first = std::max(0, static_cast<int>(std::ceil(top - 0.5)));
        const int last = std::min(size_.height, static_cast<int>(std::ceil(bottom - 0.5)));
        for (int y = first; y < last; ++y) {
            const double centre = y + 0.5;
            const double t = (centre - piece.from.y) / (piece.to.y - piece.from.y);
            rows[y].push_back({piece.from.x + t * (piece.to.x - piece.from.x), piece.state});
        }
    }
    // The walk starts and ends a pixel outside the picture.
    const double start = -1.0;
    const double end = size_.width + 1.0;
    Inside inside;
    for (int y = 0; y < size_.height; ++y) {
        auto& crossings = rows[y];
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
        const double centre = y + 0.5;
        inside.reset(GridState(grid, projection, MapPoint{start, centre}));
        std::size_t next = 0;
        while (next < crossings.size() && crossings[next].x < start) {
            ++next;
        }
        std::int32_t* row = &states_[static_cast<std::size_t>(y) * size_.width];
        for (int x = 0; x < size_.width; ++x) {
            for (; next < crossings.size() && crossings[next].x < x + 0.5; ++next) {
                inside.flip(crossings[next].state);
            }
            row[x] = inside.shown();
        }
        for (; next < crossings.size() && crossings[next].x < end; ++next) {
            inside.flip(crossings[next].state);
        }
        if (inside.shown() == GridState(grid, projection, MapPoint{end, centre})) {
            continue;
        }
        ++rowsLookedUp_;
        for (int x = 0; x < size_.width; ++x) {
            row[x] = GridState(grid, projection, MapPoint{x + 0.5, centre});
        }
    }
}

std::optional<StateRaster::Sides> StateRaster::sides(const OutlinePiece& piece, double step) const {
    const double dx = piece.to.x - piece.from.x;
    const double dy = piece.to.y - piece.from.y;
    const double length = std::hypot(dx, dy);
    if (length == 0.0) {
        return std::nullopt;
    }
    const double mx = (piece.from.x + piece.to.x) / 2.0;
    const double my = (piece.from.y + piece.to.y) / 2.0;
    const double nx = -dy / length * step;
    const double ny = dx / length * step;
    return Sides{at(static_cast<int>(std::floor(mx + nx)), static_cast<int>(std::floor(my + ny))),
                 at(static_cast<int>(std::floor(mx - nx)), static_cast<int>(std::floor(my - ny)))};
}
