#pragma once

#include "geocode/geocoding_service.h"

#include <functional>

// The start-up probe: one request for a fixed position, its answer thrown away, past any cache.
// Returns the result code; kGeocodeOk means the service can be reached and answers. The
// built-in geocoder is asked for Kyoto instead, loading its data: kGeocodeOk only when it names
// 京都府, 京都市 and a ward or town below it, kGeocodeUnavailable when its data cannot be loaded. A
// request under way is broken off once `keepGoing` turns false.
int probeGeocodingService(const GeocodingService& service,
                          const std::function<bool()>& keepGoing = {});
