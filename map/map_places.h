#pragma once

#include "geocode/geonames_places.h"
#include "map/map_projection.h"

#include <cstdint>
#include <string>
#include <vector>

struct MapPlace {
    std::string name;
    std::uint32_t population = 0;
    MapPoint at;
};

// The GeoNames places that lie in the picture, the most people first, named as a Japanese user
// writes them: in Japanese where the catalogue has the name, in Japan with the suffix of a city
// where GeoNames leaves it out. Places in Japan without a Japanese name (romanised wards and
// districts) are left out; elsewhere a place without one keeps its GeoNames name.
std::vector<MapPlace> PlacesInView(const GeonamesPlaces& places, const MapProjection& projection);
