#include "geocode/geonames_places.h"

#include "platform/debug_output.h"
#include "platform/file_contents.h"

#include <dlfcn.h>
#include <geonames.h>
#include <libintl.h>

#include <cstring>

namespace {

constexpr char kLibrary[] = "libgeonames.so.0";
constexpr char kDomain[] = "geonames";
// The library's record of a place: GeoNames id, name, first-level division code, state, country
// code, country, time zone, population, latitude, longitude.
constexpr char kRecordFormat[] = "(sssssssudd)";
enum Field {
    kId = 0,
    kName = 1,
    kDivision = 2,
    kState = 3,
    kCountryCode = 4,
    kCountry = 5,
    kPopulation = 7,
    kLatitude = 8,
    kLongitude = 9,
};

template <typename Function> bool Resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

// The library's getters translate through gettext in the process's locale, which may be any
// language or none. Its catalogue is keyed by GeoNames id ("1857910"), by country code and
// division ("JP.22") and by country code ("JP"); the Japanese one is read here directly.
MessageCatalogue JapaneseCatalogue() {
    // A null directory only asks where the domain's catalogues live; it changes nothing.
    const char* directory = bindtextdomain(kDomain, nullptr);
    const std::string path = std::string(directory != nullptr ? directory : "/usr/share/locale") +
                             "/ja/LC_MESSAGES/" + kDomain + ".mo";
    const auto bytes = ReadWholeFile(path);
    if (!bytes) {
        DebugOutput("geonames: no Japanese catalogue at " + path + "; GeoNames names are used");
        return {};
    }
    return readMessageCatalogue(*bytes);
}

std::string Japanese(const MessageCatalogue& catalogue, const std::string& key,
                     std::string fallback) {
    const auto found = catalogue.find(key);
    return found != catalogue.end() ? found->second : std::move(fallback);
}

} // namespace

// libgeonames brings GLib and GIO along, which would cost every start of the programs some
// milliseconds; it is opened at the first look-up instead, on the thread that makes it, and
// stays loaded. Fields are read one at a time: g_variant_get would parse a format string for
// every place.
struct GeonamesLibrary {
    decltype(&geonames_get_n_cities) countRecords = nullptr;
    decltype(&geonames_get_city) getRecord = nullptr;
    decltype(&geonames_city_free) freeRecord = nullptr;
    decltype(&g_variant_get_type_string) typeString = nullptr;
    decltype(&g_variant_get_child_value) child = nullptr;
    decltype(&g_variant_get_string) string = nullptr;
    decltype(&g_variant_get_double) number = nullptr;
    decltype(&g_variant_get_uint32) count = nullptr;
    decltype(&g_variant_unref) unref = nullptr;

    bool open() {
        void* library = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr || !Resolve(library, "geonames_get_n_cities", countRecords) ||
            !Resolve(library, "geonames_get_city", getRecord) ||
            !Resolve(library, "geonames_city_free", freeRecord) ||
            !Resolve(library, "g_variant_get_type_string", typeString) ||
            !Resolve(library, "g_variant_get_child_value", child) ||
            !Resolve(library, "g_variant_get_string", string) ||
            !Resolve(library, "g_variant_get_double", number) ||
            !Resolve(library, "g_variant_get_uint32", count) ||
            !Resolve(library, "g_variant_unref", unref)) {
            const char* error = dlerror();
            DebugOutput(std::string("geonames: ") + (error != nullptr ? error : kLibrary));
            return false;
        }
        return true;
    }

    // The record at `index` when it has the known format, to be given back with freeRecord.
    GeonamesCity* record(int index) const {
        GeonamesCity* record = getRecord(index);
        if (record != nullptr && std::strcmp(typeString(record), kRecordFormat) != 0) {
            freeRecord(record);
            return nullptr;
        }
        return record;
    }

    std::string text(GeonamesCity* record, Field field) const {
        GVariant* value = child(record, field);
        std::string text = string(value, nullptr);
        unref(value);
        return text;
    }

    std::uint32_t people(GeonamesCity* record) const {
        GVariant* value = child(record, kPopulation);
        const std::uint32_t people = count(value);
        unref(value);
        return people;
    }

    double degrees(GeonamesCity* record, Field field) const {
        GVariant* value = child(record, field);
        const double degrees = number(value);
        unref(value);
        return degrees;
    }
};

GeonamesPlaces::GeonamesPlaces() : library_(std::make_unique<GeonamesLibrary>()) {
    if (!library_->open()) {
        return;
    }
    opened_ = true;
    japanese_ = JapaneseCatalogue();
    const int count = library_->countRecords();
    positions_.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
    records_.reserve(positions_.capacity());
    for (int i = 0; i < count; ++i) {
        GeonamesCity* record = library_->record(i);
        if (record == nullptr) {
            DebugOutput("geonames: place " + std::to_string(i) + " is not in the known format");
            continue;
        }
        positions_.push_back(
            {library_->degrees(record, kLatitude), library_->degrees(record, kLongitude)});
        records_.push_back(i);
        library_->freeRecord(record);
    }
}

GeonamesPlaces::~GeonamesPlaces() = default;

GeonamesPlace GeonamesPlaces::place(std::size_t index) const {
    GeonamesCity* record = index < records_.size() ? library_->record(records_[index]) : nullptr;
    if (record == nullptr) {
        return {};
    }
    const std::string code = library_->text(record, kCountryCode);
    GeonamesPlace place;
    place.geonamesName = library_->text(record, kName);
    place.name = Japanese(japanese_, library_->text(record, kId), place.geonamesName);
    place.stateCode = code + "." + library_->text(record, kDivision);
    place.state = Japanese(japanese_, place.stateCode, library_->text(record, kState));
    place.country = Japanese(japanese_, code, library_->text(record, kCountry));
    place.population = library_->people(record);
    library_->freeRecord(record);
    return place;
}

std::string GeonamesPlaces::countryName(const std::string& code, std::string fallback) const {
    return Japanese(japanese_, code, std::move(fallback));
}
