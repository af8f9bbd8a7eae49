#pragma once

#include "platform/http_limits.h"

#include <string>
#include <string_view>

inline constexpr char kServiceSection[] = "Service";
inline constexpr char kGeocodeUrlKey[] = "GeocodeURL";
inline constexpr char kApiKeyKey[] = "ApiKey";
// The embedded offline geocoder: no key, no network.
inline constexpr char kBuiltinGeocodeUrl[] = "builtin:";
inline constexpr const char* kDefaultGeocodeUrl = kBuiltinGeocodeUrl;

// Where geocoding requests go: the base URL of an endpoint answering in the service's XML shape
// (the embedded geocoder unless the settings name a web endpoint), the key appended to every
// query when there is one, and the bounds of each exchange.
struct GeocodingService {
    std::string baseUrl = kDefaultGeocodeUrl;
    std::string apiKey;
    HttpLimits limits;
};

// True for the embedded geocoder's endpoint; any other base URL is a web endpoint.
inline bool isBuiltinGeocodeUrl(std::string_view url) {
    return url.starts_with(kBuiltinGeocodeUrl);
}

// "GeocodeURL" and "ApiKey" of the settings file's "Service" section; a missing or empty URL
// gives the default endpoint.
GeocodingService loadGeocodingService(const std::string& settingsPath);
