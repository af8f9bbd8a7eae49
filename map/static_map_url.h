#pragma once

#include <string>

inline constexpr char kStaticMapUrlKey[] = "StaticMapURL";
inline constexpr char kDefaultStaticMapUrl[] = "https://maps.googleapis.com";

// Where map pictures come from: the base URL of the static map service and the key appended to
// every request when there is one.
struct StaticMapService {
    std::string baseUrl = kDefaultStaticMapUrl;
    std::string apiKey;
};

// "StaticMapURL" and "ApiKey" of the settings file's "Service" section; a missing or empty URL
// gives the default service.
StaticMapService loadStaticMapService(const std::string& settingsPath);

// Whether the service may give a map at all: the default one refuses every request without a key,
// so that without one it is never asked and the map view draws its own map at once.
bool staticMapServiceMayAnswer(const StaticMapService& service);

// The 400 x 400 map at zoom 12 centred on the position, with a green marker A on it; numbers in
// printf's "%f" form, whatever the locale.
std::string staticMapUrl(const StaticMapService& service, double latitude, double longitude);
