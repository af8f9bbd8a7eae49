#include "geocode/builtin_data.h"

#include "geocode/builtin_data_path.h"
#include "geocode/builtin_geocoder.h"
#include "platform/debug_output.h"
#include "platform/file_contents.h"

#include <unordered_set>

namespace {

constexpr char kStatesFile[] = "admin1.bin";

std::optional<StatePolygons> ReadStates() {
    const std::string path = builtinDataPath(kStatesFile);
    const auto bytes = path.empty() ? std::nullopt : ReadWholeFile(path);
    if (!bytes) {
        DebugOutput(std::string("builtin geocoder: cannot read ") +
                    (path.empty() ? kStatesFile : path));
        return std::nullopt;
    }
    auto polygons = readStatePolygons(*bytes);
    if (!polygons) {
        DebugOutput("builtin geocoder: " + path + " is not a file of states");
    }
    return polygons;
}

} // namespace

BuiltinData::BuiltinData() : polygons_(ReadStates()) {
    if (!polygons_) {
        return;
    }
    grid_.emplace(*polygons_);
    if (!grid_->usable()) {
        DebugOutput("builtin geocoder: the states' edges are far too long");
        grid_.reset();
        return;
    }
    if (places_.opened()) {
        groupPlaces();
    }
}

std::optional<StateGrid::Found> BuiltinData::state(const GeoPoint& position) const {
    return grid_->find(position.latitude, position.longitude, kBuiltinNearbyStateKm);
}

std::optional<GeonamesPlace> BuiltinData::municipality(std::uint32_t state,
                                                       const GeoPoint& position) const {
    const auto found = statePlaces_.find(state);
    if (found == statePlaces_.end()) {
        return std::nullopt;
    }
    const auto nearest = found->second.index->nearest(position.latitude, position.longitude);
    if (!nearest || nearest->kilometres > kBuiltinPlaceLimitKm) {
        return std::nullopt;
    }
    return places_.place(found->second.places[nearest->index]);
}

// A place belongs to the state whose polygon holds it. Where GeoNames files it under another
// state that Natural Earth also knows, the two disagree and the place is named for neither: none
// rather than a town of another prefecture.
void BuiltinData::groupPlaces() {
    const auto& positions = places_.positions();
    std::vector<std::string> codes;
    codes.reserve(positions.size());
    std::unordered_set<std::string> known;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        codes.push_back(places_.place(i).stateCode);
        known.insert(codes.back());
    }
    std::unordered_map<std::uint32_t, std::vector<GeoPoint>> points;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const auto found = state(positions[i]);
        if (!found) {
            continue;
        }
        const std::string& stateCode = record(found->state).geonamesCode;
        if (!stateCode.empty() && stateCode != codes[i] && known.contains(stateCode)) {
            continue;
        }
        statePlaces_[found->state].places.push_back(i);
        points[found->state].push_back(positions[i]);
    }
    for (auto& [state, group] : statePlaces_) {
        group.index = std::make_unique<PlaceIndex>(points[state]);
    }
}

const BuiltinData& builtinData() {
    static const BuiltinData data;
    return data;
}
