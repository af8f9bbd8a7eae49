#include "geocode/geocode_request.h"

#include <charconv>
#include <system_error>

namespace {

constexpr char kRequestPath[] = "/maps/api/geocode/xml?";

// printf's "%f": six decimals, a leading minus for negative values; to_chars never looks at the
// locale.
void AppendFixed(std::string& text, double value) {
    // The largest double has 309 integer digits; a sign, a point and six decimals come with it.
    char buffer[400];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    if (error == std::errc{}) {
        text.append(buffer, end);
    }
}

// A key is sent as the user wrote it: an '&', '#' or space in it cannot break the query.
std::string PercentEncoded(const std::string& text) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
            (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
            byte == '~') {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        }
    }
    return encoded;
}

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
    std::string url = service.baseUrl;
    // "https://host/" and "https://host" name the same endpoint.
    if (!url.empty() && url.back() == '/') {
        url.pop_back();
    }
    url += kRequestPath;
    url += geocodeQuery(latitude, longitude);
    if (!service.apiKey.empty()) {
        url += "&key=";
        url += PercentEncoded(service.apiKey);
    }
    return url;
}
