#pragma once

#include "geocode/geocoding_service.h"

#include <functional>
#include <string>
#include <vector>

// One request to the service for the position and the reading of its answer (readGeocodeAnswer):
// kGeocodeOk with the place names inserted at the front of `components`, coarsest first;
// kGeocodeOverQueryLimit or kGeocodeFailed with the list untouched. No state is kept between
// calls, and there is no cache; callable from any thread. A request under way is broken off
// (kGeocodeFailed) once `keepGoing` turns false.
int reverseGeocode(const GeocodingService& service, double latitude, double longitude,
                   std::vector<std::string>& components,
                   const std::function<bool()>& keepGoing = {});
