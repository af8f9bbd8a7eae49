#pragma once

#include "geocode/geonames_places.h"
#include "geocode/japan_municipalities.h"
#include "geocode/place_index.h"
#include "geocode/state_grid.h"
#include "geocode/state_polygons.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// The data of the built-in geocoder, loaded once for the process and shared by all who read it
// (the geocoder, the offline map): Natural Earth's admin-1 polygons (geocode/data/admin1.bin) with
// their grid, Japan's municipalities and towns (geocode/data/japan.bin) with theirs, and the
// GeoNames places of libgeonames.
class BuiltinData {
public:
    BuiltinData();
    BuiltinData(const BuiltinData&) = delete;
    BuiltinData& operator=(const BuiltinData&) = delete;

    // The geocoder answers only with the states, Japan's municipalities and the places.
    bool ready() const { return grid_.has_value() && japanGrid_.has_value() && places_.opened(); }
    // Null when the polygons could not be read or their grid not built; then both are null.
    const StatePolygons* polygons() const { return grid_ ? &*polygons_ : nullptr; }
    const StateGrid* grid() const { return grid_ ? &*grid_ : nullptr; }
    // Without places when libgeonames could not be opened.
    const GeonamesPlaces& places() const { return places_; }
    // Null when the municipalities could not be read or their grid not built.
    const JapanMunicipalities* japan() const { return japanGrid_ ? &*japan_ : nullptr; }
    const StateGrid* japanGrid() const { return japanGrid_ ? &*japanGrid_ : nullptr; }

    // The rest needs ready().
    std::optional<StateGrid::Found> state(const GeoPoint& position) const;
    const StateRecord& record(std::uint32_t state) const { return polygons_->states[state]; }
    std::string countryName(const StateRecord& state) const {
        return places_.countryName(state.country, state.countryName);
    }
    // The nearest place of the state within the limit, none when there is none.
    std::optional<GeonamesPlace> place(std::uint32_t state, const GeoPoint& position) const;
    // The municipality of Japan whose polygon holds the position, else the one nearest within
    // kBuiltinNearbyMunicipalityKm; its state is an index into japan()->municipalities.
    std::optional<StateGrid::Found> municipality(const GeoPoint& position) const;

private:
    // The places of one state and a nearest-place index over them.
    struct StatePlaces {
        std::vector<std::size_t> places;
        std::unique_ptr<PlaceIndex> index;
    };

    void groupPlaces();

    std::optional<StatePolygons> polygons_;
    GeonamesPlaces places_;
    std::optional<StateGrid> grid_;
    std::optional<JapanMunicipalities> japan_;
    std::optional<StateGrid> japanGrid_;
    std::unordered_map<std::uint32_t, StatePlaces> statePlaces_;
};

// Loaded at the first call, which the analysis worker, the probe's thread or the map's drawing
// thread makes, never the window's thread: some tenths of a second. Concurrent first calls wait
// for the one load.
const BuiltinData& builtinData();
