#pragma once

#include "geocode/message_catalogue.h"
#include "geocode/place_index.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A populated place of the GeoNames data that libgeonames carries (places of 15,000 people or
// more), named in Japanese where the library's catalogue has a Japanese name and by its GeoNames
// name otherwise; the same holds for its state and its country.
struct GeonamesPlace {
    std::string name;
    std::string state;
    std::string country;
    std::string geonamesName; // as GeoNames writes it ("Sendai"), whatever name is given above
    std::string stateCode;    // country code and first-level division ("JP.24")
    std::uint32_t population = 0;
};

struct GeonamesLibrary;

// The library's places: their positions, read once, and their names, read when asked for. Opening
// costs some tens of milliseconds; do it once. The names are read from the library's immutable
// data, so `place` may be called from any thread.
class GeonamesPlaces {
public:
    // Empty when the library cannot be opened.
    GeonamesPlaces();
    ~GeonamesPlaces();
    GeonamesPlaces(const GeonamesPlaces&) = delete;
    GeonamesPlaces& operator=(const GeonamesPlaces&) = delete;

    const std::vector<GeoPoint>& positions() const { return positions_; }
    // The place at `index` into positions().
    GeonamesPlace place(std::size_t index) const;
    // The country of an ISO 3166-1 alpha-2 code in Japanese, or `fallback` when the catalogue
    // has no name for it.
    std::string countryName(const std::string& code, std::string fallback) const;
    // False when the library could not be opened: there are no places then.
    bool opened() const { return opened_; }

private:
    std::unique_ptr<GeonamesLibrary> library_;
    MessageCatalogue japanese_;
    std::vector<GeoPoint> positions_;
    std::vector<int> records_; // the library's index of each position's place
    bool opened_ = false;
};
