#pragma once

#include "geocode/geocoding_service.h"

// The start-up probe: one request for a fixed position, its answer thrown away. Returns the
// result code; kGeocodeOk means the service can be reached and answers.
int probeGeocodingService(const GeocodingService& service);
