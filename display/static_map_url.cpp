#include "display/static_map_url.h"

#include "geocode/geocoding_service.h"
#include "platform/private_profile.h"
#include "platform/url_text.h"

namespace {

void AppendPosition(std::string& url, double latitude, double longitude) {
    AppendFixed(url, latitude);
    url += ',';
    AppendFixed(url, longitude);
}

} // namespace

StaticMapService loadStaticMapService(const std::string& settingsPath) {
    StaticMapService service;
    const std::string url =
        GetPrivateProfileString(kServiceSection, kStaticMapUrlKey, "", settingsPath);
    if (!url.empty()) {
        service.baseUrl = url;
    }
    service.apiKey = GetPrivateProfileString(kServiceSection, kApiKeyKey, "", settingsPath);
    return service;
}

std::string staticMapUrl(const StaticMapService& service, double latitude, double longitude) {
    std::string url = service.baseUrl;
    // "https://host/" and "https://host" name the same service.
    if (!url.empty() && url.back() == '/') {
        url.pop_back();
    }
    url += "/maps/api/staticmap?center=";
    AppendPosition(url, latitude, longitude);
    url += "&zoom=12&size=400x400&sensor=false&markers=color:green%7Clabel:A%7C";
    AppendPosition(url, latitude, longitude);
    if (!service.apiKey.empty()) {
        url += "&key=";
        url += PercentEncoded(service.apiKey);
    }
    return url;
}
