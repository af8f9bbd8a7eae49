#include "geocode/builtin_data.h"

#include "geocode/builtin_data_path.h"
#include "geocode/builtin_geocoder.h"
#include "platform/debug_output.h"
#include "platform/file_contents.h"

#include <unordered_set>

namespace {

constexpr char kStatesFile[] = "admin1.bin";
constexpr char kJapanFile[] = "japan.bin";
// Japan from Yonaguni to Minami-Torishima and from Hateruma to the Kurils, in cells of 0.05°,
// some 5 km: a few dozen edges a cell where the wards of a city meet.
constexpr GridExtent kJapan{1'225'000, 235'000, 640, 450, 500};

// The data file `name` read by `reader`, none (and a note why) when it cannot be read or is not
// what `reader` takes.
template <typename Reader>
auto ReadDataFile(const char* name, Reader reader) -> decltype(reader(std::string_view{})) {
    const std::string path = builtinDataPath(name);
    const auto bytes = path.empty() ? std::nullopt : ReadWholeFile(path);
    if (!bytes) {
        DebugOutput(std::string("builtin geocoder: cannot read ") + (path.empty() ? name : path));
        return std::nullopt;
    }
    auto data = reader(*bytes);
    if (!data) {
        DebugOutput("builtin geocoder: " + path + " is not a file of the built-in geocoder");
    }
    return data;
}

} // namespace

BuiltinData::BuiltinData()
    : polygons_(ReadDataFile(kStatesFile, readStatePolygons)),
      japan_(ReadDataFile(kJapanFile, readJapanMunicipalities)) {
    if (japan_) {
        japanGrid_.emplace(japan_->rings, japan_->points, kJapan);
        if (!japanGrid_->usable()) {
            DebugOutput("builtin geocoder: the municipalities lie outside Japan's grid");
            japanGrid_.reset();
        }
    }
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

std::optional<StateGrid::Found> BuiltinData::municipality(const GeoPoint& position) const {
    return japanGrid_->find(position.latitude, position.longitude, kBuiltinNearbyMunicipalityKm);
}

std::optional<StateGrid::Found> BuiltinData::state(const GeoPoint& position) const {
    return grid_->find(position.latitude, position.longitude, kBuiltinNearbyStateKm);
}

std::optional<GeonamesPlace> BuiltinData::place(std::uint32_t state,
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
