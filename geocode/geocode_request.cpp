#include "geocode/geocode_request.h"

#include "platform/url_text.h"

namespace {

constexpr char kRequestPath[] = "/maps/api/geocode/xml?";

} // namespace

std::string geocodeQuery(double latitude, double longitude) {
    std::string query = "latlng=";
    AppendFixed(query, latitude);
    query += ',';
    AppendFixed(query, longitude);
    query += "&sensor=false";
    return query;
}

std::string geocodeRequestUrl(const GeocodingService& service, double latitude, double longitude) {
    const bool nominatim = isNominatimUrl(service.baseUrl);
    std::string url = nominatim ? service.baseUrl.substr(std::string_view(kNominatimPrefix).size())
                                : service.baseUrl;
    // "https://host/" and "https://host" name the same endpoint.
    if (!url.empty() && url.back() == '/') {
        url.pop_back();
    }
    if (nominatim) {
        url += "/reverse?lat=";
        AppendFixed(url, latitude);
        url += "&lon=";
        AppendFixed(url, longitude);
        url += "&format=jsonv2&accept-language=ja&zoom=14";
    } else {
        url += kRequestPath;
        url += geocodeQuery(latitude, longitude);
    }
    if (!service.apiKey.empty()) {
        url += "&key=";
        url += PercentEncoded(service.apiKey);
    }
    return url;
}
