#pragma once

#include "geocode/geocoding_service.h"

#include <string>

// "latlng=%f,%f&sensor=false" with a decimal point, whatever the process's locale.
std::string geocodeQuery(double latitude, double longitude);

// The endpoint's base URL, "/maps/api/geocode/xml?" and the query, then "&key=" and the key
// (percent-encoded) when the service has one. For a Nominatim endpoint: its base URL,
// "/reverse?lat=%f&lon=%f&format=jsonv2&accept-language=ja&zoom=14" (zoom 14 reaches the suburb)
// and the key likewise.
std::string geocodeRequestUrl(const GeocodingService& service, double latitude, double longitude);
