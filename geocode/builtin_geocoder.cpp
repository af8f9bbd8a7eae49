#include "geocode/builtin_geocoder.h"

#include "geocode/builtin_data_path.h"
#include "geocode/geonames_places.h"
#include "geocode/municipality_name.h"
#include "geocode/place_index.h"
#include "geocode/state_grid.h"
#include "geocode/state_polygons.h"
#include "geocode/utf8_to_narrow.h"
#include "platform/debug_output.h"
#include "platform/file_contents.h"

#include <charconv>
#include <memory>
#include <optional>
#include <system_error>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

constexpr char kStatesFile[] = "admin1.bin";
constexpr char kJapan[] = "JP";

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

// The places of one state and a nearest-place index over them.
struct StatePlaces {
    std::vector<std::size_t> places;
    std::unique_ptr<PlaceIndex> index;
};

class BuiltinData {
public:
    BuiltinData() : polygons_(ReadStates()) {
        if (!polygons_ || !places_.opened()) {
            return;
        }
        grid_.emplace(*polygons_);
        if (!grid_->usable()) {
            DebugOutput("builtin geocoder: the states' edges are far too long");
            grid_.reset();
            return;
        }
        groupPlaces();
    }
    BuiltinData(const BuiltinData&) = delete;
    BuiltinData& operator=(const BuiltinData&) = delete;

    bool ready() const { return grid_.has_value(); }

    std::optional<StateGrid::Found> state(const GeoPoint& position) const {
        return grid_->find(position.latitude, position.longitude, kBuiltinNearbyStateKm);
    }
    const StateRecord& record(std::uint32_t state) const { return polygons_->states[state]; }
    std::string countryName(const StateRecord& state) const {
        return places_.countryName(state.country, state.countryName);
    }

    // The nearest place of the state within the limit, none when there is none.
    std::optional<GeonamesPlace> municipality(std::uint32_t state, const GeoPoint& position) const {
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

private:
    // A place belongs to the state whose polygon holds it. Where GeoNames files it under another
    // state that Natural Earth also knows, the two disagree and the place is named for neither:
    // none rather than a town of another prefecture.
    void groupPlaces() {
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

    std::optional<StatePolygons> polygons_;
    GeonamesPlaces places_;
    std::optional<StateGrid> grid_;
    std::unordered_map<std::uint32_t, StatePlaces> statePlaces_;
};

// Loaded at the first look-up, which the analysis worker or the probe's thread makes, never the
// window's thread; a function-local static makes concurrent first calls wait for the one load.
const BuiltinData& Data() {
    static const BuiltinData data;
    return data;
}

std::optional<double> ReadNumber(std::string_view& text) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{}) {
        return std::nullopt;
    }
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return value;
}

// The "latlng=<latitude>,<longitude>" parameter of the query, both on the earth.
std::optional<GeoPoint> RequestedPosition(std::string_view url) {
    const std::size_t query = url.find('?');
    if (query == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view rest = url.substr(query + 1);
    constexpr std::string_view kName = "latlng=";
    for (;;) {
        const std::string_view parameter = rest.substr(0, rest.find('&'));
        if (parameter.starts_with(kName)) {
            std::string_view text = parameter.substr(kName.size());
            const auto latitude = ReadNumber(text);
            if (!latitude || !text.starts_with(',')) {
                return std::nullopt;
            }
            text.remove_prefix(1);
            const auto longitude = ReadNumber(text);
            if (!longitude || !text.empty() || !(*latitude >= -90.0 && *latitude <= 90.0) ||
                !(*longitude >= -180.0 && *longitude <= 180.0)) {
                return std::nullopt;
            }
            return GeoPoint{*latitude, *longitude};
        }
        if (parameter.size() == rest.size()) {
            return std::nullopt;
        }
        rest.remove_prefix(parameter.size() + 1);
    }
}

std::string StatusAnswer(std::string_view status) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<GeocodeResponse>\n <status>" +
           std::string(status) + "</status>\n</GeocodeResponse>\n";
}

// The reader takes a name up to the next "<" unchanged, so a name must hold none.
std::string ElementText(std::string_view name) {
    std::string text;
    for (const char c : utf8ToNarrow(name)) {
        if (c == '<') {
            text += "\xEF\xBC\x9C"; // ＜
        } else {
            text += c;
        }
    }
    return text;
}

void AppendComponent(std::string& answer, std::string_view name, std::string_view type) {
    if (name.empty()) {
        return;
    }
    const std::string text = ElementText(name);
    answer += "  <address_component>\n   <long_name>" + text + "</long_name>\n   <short_name>" +
              text + "</short_name>\n   <type>" + std::string(type) +
              "</type>\n   <type>political</type>\n  </address_component>\n";
}

std::string PlaceAnswer(const BuiltinData& data, std::uint32_t state, const GeoPoint& position) {
    const StateRecord& record = data.record(state);
    const std::string stateName = record.japaneseName.empty() ? record.name : record.japaneseName;
    std::string answer = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<GeocodeResponse>\n"
                         " <status>OK</status>\n <result>\n  <type>political</type>\n";
    if (const auto place = data.municipality(state, position); place && place->name != stateName) {
        AppendComponent(answer,
                        record.country == kJapan
                            ? municipalityName(place->name, place->geonamesName, place->population)
                            : place->name,
                        "locality");
    }
    AppendComponent(answer, stateName, "administrative_area_level_1");
    AppendComponent(answer, data.countryName(record), "country");
    answer += " </result>\n</GeocodeResponse>\n";
    return answer;
}

} // namespace

std::string builtinGeocodeAnswer(std::string_view url) {
    const auto position = RequestedPosition(url);
    if (!position) {
        return StatusAnswer("INVALID_REQUEST");
    }
    const BuiltinData& data = Data();
    if (!data.ready()) {
        return StatusAnswer("UNKNOWN_ERROR");
    }
    const auto state = data.state(*position);
    if (!state) {
        return StatusAnswer("ZERO_RESULTS");
    }
    return PlaceAnswer(data, state->state, *position);
}

bool prepareBuiltinGeocoder() {
    return Data().ready();
}
