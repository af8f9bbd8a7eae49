#pragma once

#include "geocode/http_limits.h"

#include <string>

inline constexpr char kServiceSection[] = "Service";
inline constexpr char kGeocodeUrlKey[] = "GeocodeURL";
inline constexpr char kApiKeyKey[] = "ApiKey";
inline constexpr char kDefaultGeocodeUrl[] = "https://maps.googleapis.com";

// Where geocoding requests go: the base URL of an endpoint answering in the service's XML shape,
// the key appended to every query when there is one, and the bounds of each exchange.
struct GeocodingService {
    std::string baseUrl = kDefaultGeocodeUrl;
    std::string apiKey;
    HttpLimits limits;
};

// "GeocodeURL" and "ApiKey" of the settings file's "Service" section; a missing or empty URL
// gives the default endpoint.
GeocodingService loadGeocodingService(const std::string& settingsPath);
