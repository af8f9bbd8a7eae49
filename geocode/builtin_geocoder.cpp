#include "geocode/builtin_geocoder.h"

#include "geocode/builtin_data.h"
#include "geocode/utf8_to_narrow.h"

#include <charconv>
#include <optional>
#include <system_error>

namespace {

constexpr char kJapan[] = "JP";
constexpr char kJapanName[] = "日本";

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

std::string AnswerStart() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<GeocodeResponse>\n"
           " <status>OK</status>\n <result>\n  <type>political</type>\n";
}

void AppendAnswerEnd(std::string& answer, std::string_view country) {
    AppendComponent(answer, country, "country");
    answer += " </result>\n</GeocodeResponse>\n";
}

// Finest first: the town, the ward of a designated city, the municipality, the prefecture.
std::string JapanAnswer(const BuiltinData& data, std::uint32_t municipality,
                        const GeoPoint& position) {
    const JapanMunicipalities& japan = *data.japan();
    const JapanMunicipality& place = japan.municipalities[municipality];
    std::string answer = AnswerStart();
    if (const auto town = nearestTown(japan, municipality, position.longitude * kGridUnitsPerDegree,
                                      position.latitude * kGridUnitsPerDegree)) {
        AppendComponent(answer, japan.townNames[japan.towns[*town].name], "sublocality_level_2");
    }
    if (place.city.empty()) {
        AppendComponent(answer, place.name, "locality");
    } else {
        AppendComponent(answer, place.name, "sublocality_level_1");
        AppendComponent(answer, place.city, "locality");
    }
    AppendComponent(answer, japan.prefectures[place.prefecture], "administrative_area_level_1");
    AppendAnswerEnd(answer, kJapanName);
    return answer;
}

// A GeoNames place is named abroad only: in Japan its names are often romanised or of towns
// merged away, and the municipalities name every place on land.
std::string StateAnswer(const BuiltinData& data, std::uint32_t state, const GeoPoint& position) {
    const StateRecord& record = data.record(state);
    const std::string stateName = record.japaneseName.empty() ? record.name : record.japaneseName;
    std::string answer = AnswerStart();
    if (record.country != kJapan) {
        if (const auto place = data.place(state, position); place && place->name != stateName) {
            AppendComponent(answer, place->name, "locality");
        }
    }
    AppendComponent(answer, stateName, "administrative_area_level_1");
    AppendAnswerEnd(answer, data.countryName(record));
    return answer;
}

} // namespace

std::string builtinGeocodeAnswer(std::string_view url) {
    const auto position = RequestedPosition(url);
    if (!position) {
        return StatusAnswer("INVALID_REQUEST");
    }
    const BuiltinData& data = builtinData();
    if (!data.ready()) {
        return StatusAnswer("UNKNOWN_ERROR");
    }
    if (const auto municipality = data.municipality(*position)) {
        return JapanAnswer(data, municipality->state, *position);
    }
    const auto state = data.state(*position);
    if (!state) {
        return StatusAnswer("ZERO_RESULTS");
    }
    return StateAnswer(data, state->state, *position);
}

bool prepareBuiltinGeocoder() {
    return builtinData().ready();
}
