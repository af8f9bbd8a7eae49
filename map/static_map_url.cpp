#include "map/static_map_url.h"

#include "geocode/geocoding_service.h"
#include "platform/private_profile.h"
#include "platform/url_text.h"

namespace {

void AppendPosition(std::string& url, double latitude, double longitude) {
    AppendFixed(url, latitude);
    url += ',';
    AppendFixed(url, longitude);
}

// The host of a URL, in lower case: what lies between "://" and the port, path or query.
std::string HostOf(const std::string& url) {
    const std::size_t scheme = url.find("://");
    const std::size_t start = scheme == std::string::npos ? 0 : scheme + 3;
    std::string host = url.substr(start, url.find_first_of(":/?#", start) - start);
    for (char& c : host) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return host;
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

bool staticMapServiceMayAnswer(const StaticMapService& service) {
    return !service.apiKey.empty() || HostOf(service.baseUrl) != HostOf(kDefaultStaticMapUrl);
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
