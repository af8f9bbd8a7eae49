#include "geocode/place_index.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr double kEarthRadiusKilometres = 6371.0088;

void UnitVector(double latitude, double longitude, double (&out)[3]) {
    const double phi = latitude * std::numbers::pi / 180.0;
    const double lambda = longitude * std::numbers::pi / 180.0;
    out[0] = std::cos(phi) * std::cos(lambda);
    out[1] = std::cos(phi) * std::sin(lambda);
    out[2] = std::sin(phi);
}

double SquaredChord(const double (&a)[3], const double (&b)[3]) {
    double sum = 0.0;
    for (int i = 0; i < 3; ++i) {
        sum += (a[i] - b[i]) * (a[i] - b[i]);
    }
    return sum;
}

double ChordToKilometres(double squaredChord) {
    const double halfChord = std::min(1.0, std::sqrt(squaredChord) / 2.0);
    return 2.0 * std::asin(halfChord) * kEarthRadiusKilometres;
}

} // namespace

PlaceIndex::PlaceIndex(const std::vector<GeoPoint>& points) {
    nodes_.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        Node node{};
        UnitVector(points[i].latitude, points[i].longitude, node.axis);
        node.index = i;
        nodes_.push_back(node);
    }
    build(0, nodes_.size(), 0);
}

void PlaceIndex::build(std::size_t begin, std::size_t end, int depth) {
    if (end - begin < 2) {
        return;
    }
    const int axis = depth % 3;
    const std::size_t middle = begin + (end - begin) / 2;
    std::nth_element(nodes_.begin() + begin, nodes_.begin() + middle, nodes_.begin() + end,
                     [axis](const Node& a, const Node& b) { return a.axis[axis] < b.axis[axis]; });
    build(begin, middle, depth + 1);
    build(middle + 1, end, depth + 1);
}

std::optional<PlaceIndex::Nearest> PlaceIndex::nearest(double latitude, double longitude) const {
    if (nodes_.empty() || !std::isfinite(latitude) || !std::isfinite(longitude)) {
        return std::nullopt;
    }
    double target[3];
    UnitVector(latitude, longitude, target);
    Nearest best;
    double bestSquared = std::numeric_limits<double>::infinity();
    search(target, 0, nodes_.size(), 0, best, bestSquared);
    best.kilometres = ChordToKilometres(bestSquared);
    return best;
}

void PlaceIndex::search(const double (&target)[3], std::size_t begin, std::size_t end, int depth,
                        Nearest& best, double& bestSquared) const {
    if (begin >= end) {
        return;
    }
    const std::size_t middle = begin + (end - begin) / 2;
    const Node& node = nodes_[middle];
    const double squared = SquaredChord(target, node.axis);
    if (squared < bestSquared) {
        bestSquared = squared;
        best.index = node.index;
    }
    const int axis = depth % 3;
    const double offset = target[axis] - node.axis[axis];
    const bool lowFirst = offset < 0.0;
    const std::size_t nearBegin = lowFirst ? begin : middle + 1;
    const std::size_t nearEnd = lowFirst ? middle : end;
    search(target, nearBegin, nearEnd, depth + 1, best, bestSquared);
    // The far side can hold a nearer point only if the splitting plane is nearer than the best.
    if (offset * offset < bestSquared) {
        const std::size_t farBegin = lowFirst ? middle + 1 : begin;
        const std::size_t farEnd = lowFirst ? end : middle;
        search(target, farBegin, farEnd, depth + 1, best, bestSquared);
    }
}
