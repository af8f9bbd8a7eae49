#include "geocode/geocoding_service.h"

#include "platform/private_profile.h"

#include <algorithm>

namespace {

// The host of "nominatim:https://host[:port]/path", lower-cased.
std::string NominatimHost(std::string_view url) {
    url.remove_prefix(std::string_view(kNominatimPrefix).size());
    const std::size_t scheme = url.find("://");
    if (scheme != std::string_view::npos) {
        url.remove_prefix(scheme + 3);
    }
    std::string host(url.substr(0, url.find_first_of(":/?#")));
    for (char& c : host) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return host;
}

} // namespace

GeocodingService geocodingServiceFor(const std::string& url, long requestedInterval) {
    GeocodingService service;
    service.baseUrl = url.empty() ? kDefaultGeocodeUrl : url;
    if (!isNominatimUrl(service.baseUrl)) {
        service.interval = std::chrono::milliseconds(std::max(0L, requestedInterval));
        return service;
    }
    service.interval =
        requestedInterval >= 0 ? std::chrono::milliseconds(requestedInterval) : kNominatimInterval;
    if (NominatimHost(service.baseUrl) == kPublicNominatimHost) {
        service.interval = std::max(service.interval, kNominatimInterval);
    }
    return service;
}

GeocodingService loadGeocodingService(const std::string& settingsPath, const std::string& url) {
    const std::string endpoint =
        !url.empty() ? url
                     : GetPrivateProfileString(kServiceSection, kGeocodeUrlKey, "", settingsPath);
    const int interval =
        GetPrivateProfileInt(kServiceSection, kGeocodeIntervalKey, -1, settingsPath);
    GeocodingService service = geocodingServiceFor(endpoint, interval);
    service.apiKey = GetPrivateProfileString(kServiceSection, kApiKeyKey, "", settingsPath);
    return service;
}
