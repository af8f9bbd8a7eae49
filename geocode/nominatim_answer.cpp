#include "geocode/nominatim_answer.h"

#include "geocode/geocode_answer.h"
#include "geocode/utf8_to_narrow.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <optional>

namespace {

// Document order matters: Nominatim lists the address from the finest part to the coarsest.
using Json = nlohmann::ordered_json;

// The keys each level takes, first found first; the finest part is any other key's.
constexpr std::array<std::string_view, 1> kCountry = {"country"};
constexpr std::array<std::string_view, 2> kState = {"province", "state"};
constexpr std::array<std::string_view, 5> kMunicipality = {"city", "town", "village",
                                                           "municipality", "city_district"};
constexpr std::array<std::string_view, 2> kDistrict = {"suburb", "quarter"};
// Codes and numbers, not place names.
constexpr std::array<std::string_view, 3> kNotNames = {"postcode", "country_code", "house_number"};

template <std::size_t N>
std::optional<std::string> FirstOf(const Json& address, const std::array<std::string_view, N>& keys,
                                   std::vector<std::string>& used) {
    for (const std::string_view key : keys) {
        const auto found = address.find(std::string(key));
        if (found != address.end() && found->is_string() &&
            !found->get_ref<const std::string&>().empty()) {
            used.emplace_back(key);
            return utf8ToNarrow(found->get_ref<const std::string&>());
        }
    }
    return std::nullopt;
}

// The first part in document order, unless the first one a level took comes before it: what
// follows that is coarser (a "state_district" after the city).
std::optional<std::string> FinestPart(const Json& address, const std::vector<std::string>& used) {
    for (const auto& [key, value] : address.items()) {
        if (std::find(used.begin(), used.end(), key) != used.end()) {
            break;
        }
        const bool code = std::find(kNotNames.begin(), kNotNames.end(), key) != kNotNames.end() ||
                          key.starts_with("ISO3166");
        if (!code && value.is_string() && !value.get_ref<const std::string&>().empty()) {
            return utf8ToNarrow(value.get_ref<const std::string&>());
        }
    }
    return std::nullopt;
}

} // namespace

int readNominatimAnswer(std::string_view answer, std::vector<std::string>& components) {
    const Json parsed = Json::parse(answer.begin(), answer.end(), nullptr, false);
    if (parsed.is_discarded() || !parsed.is_object()) {
        return kGeocodeFailed;
    }
    const auto address = parsed.find("address");
    if (address == parsed.end() || !address->is_object()) {
        return kGeocodeFailed;
    }
    std::vector<std::string> used;
    std::vector<std::string> names;
    for (auto name : {FirstOf(*address, kCountry, used), FirstOf(*address, kState, used),
                      FirstOf(*address, kMunicipality, used), FirstOf(*address, kDistrict, used)}) {
        if (name) {
            names.push_back(std::move(*name));
        }
    }
    if (auto finest = FinestPart(*address, used);
        finest && std::find(names.begin(), names.end(), *finest) == names.end()) {
        names.push_back(std::move(*finest));
    }
    components.insert(components.begin(), std::make_move_iterator(names.begin()),
                      std::make_move_iterator(names.end()));
    return kGeocodeOk;
}
