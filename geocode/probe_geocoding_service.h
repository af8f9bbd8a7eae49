#pragma once

#include "geocode/geocoding_service.h"

// The start-up probe: one request for a fixed position, its answer thrown away. Returns the
// result code; kGeocodeOk means the service can be reached and answers. The embedded geocoder
// answers kGeocodeOk at once, without a request.
int probeGeocodingService(const GeocodingService& service);
