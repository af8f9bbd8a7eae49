#pragma once

#include "geocode/geocoding_service.h"

// The start-up probe: one request for a fixed position, its answer thrown away, past any cache.
// Returns the result code; kGeocodeOk means the service can be reached and answers. The
// built-in geocoder is asked for Kyoto instead, loading its data: kGeocodeOk only when it names
// 京都府 and 京都市, kGeocodeUnavailable when its data cannot be loaded.
int probeGeocodingService(const GeocodingService& service);
