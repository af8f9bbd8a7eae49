#pragma once

#include "platform/http_limits.h"

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

class GeocodeCache;

inline constexpr char kServiceSection[] = "Service";
inline constexpr char kGeocodeUrlKey[] = "GeocodeURL";
inline constexpr char kApiKeyKey[] = "ApiKey";
inline constexpr char kGeocodeIntervalKey[] = "GeocodeInterval";
// The embedded offline geocoder: no key, no network.
inline constexpr char kBuiltinGeocodeUrl[] = "builtin:";
// Followed by the base URL of an OpenStreetMap Nominatim server.
inline constexpr char kNominatimPrefix[] = "nominatim:";
inline constexpr const char* kDefaultGeocodeUrl = kBuiltinGeocodeUrl;
// The public Nominatim server's usage policy allows one request a second; so does ours for
// every Nominatim server unless the settings allow another pace for one's own.
inline constexpr std::chrono::milliseconds kNominatimInterval{1000};
inline constexpr std::string_view kPublicNominatimHost = "nominatim.openstreetmap.org";

// Where geocoding requests go: the endpoint (the embedded geocoder unless the settings name a
// web endpoint in the service's XML shape or a Nominatim server), the key appended to every
// query when there is one, the least time between two requests to it, the bounds of each
// exchange, and the cache its answers are kept in (none: every call asks).
struct GeocodingService {
    std::string baseUrl = kDefaultGeocodeUrl;
    std::string apiKey;
    std::chrono::milliseconds interval{0};
    HttpLimits limits;
    std::shared_ptr<GeocodeCache> cache;
};

// True for the embedded geocoder's endpoint.
inline bool isBuiltinGeocodeUrl(std::string_view url) {
    return url.starts_with(kBuiltinGeocodeUrl);
}

// True for a Nominatim endpoint, "nominatim:BASE-URL".
inline bool isNominatimUrl(std::string_view url) {
    return url.starts_with(kNominatimPrefix);
}

// The service for an endpoint, its pace set for it: one second between requests to a Nominatim
// server, none for the others; `requestedInterval` (milliseconds, from the settings) replaces
// that, but never below one second for the public Nominatim server.
GeocodingService geocodingServiceFor(const std::string& url, long requestedInterval = -1);

// "GeocodeURL", "ApiKey" and "GeocodeInterval" of the settings file's "Service" section; a
// missing or empty URL gives the default endpoint. A non-empty `url` stands for "GeocodeURL".
GeocodingService loadGeocodingService(const std::string& settingsPath, const std::string& url = "");
