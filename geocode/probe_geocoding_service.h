#pragma once

#include "geocode/geocoding_service.h"

#include <functional>

// The start-up probe: one request for a fixed position, its answer thrown away. Returns the
// result code; kGeocodeOk means the service can be reached and answers. The embedded geocoder
// answers kGeocodeOk at once, without a request. The request is broken off once `keepGoing`
// turns false.
int probeGeocodingService(const GeocodingService& service,
                          const std::function<bool()>& keepGoing = {});
