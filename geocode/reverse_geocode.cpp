#include "geocode/reverse_geocode.h"

#include "geocode/builtin_geocoder.h"
#include "geocode/fetch_text.h"
#include "geocode/geocode_answer.h"
#include "geocode/geocode_cache.h"
#include "geocode/geocode_request.h"
#include "geocode/nominatim_answer.h"
#include "geocode/request_pacing.h"
#include "platform/http_get.h"

#include <new>

namespace {

constexpr long kForbidden = 403;
constexpr long kTooManyRequests = 429;

int RequestNominatim(const GeocodingService& service, const std::string& url,
                     std::vector<std::string>& components, const std::function<bool()>& keepGoing) {
    const RequestTurn turn(service.baseUrl, service.interval);
    long status = 0;
    const auto answer = HttpGet(url, service.limits, keepGoing, geocodeUserAgent(), &status);
    if (!answer) {
        return kGeocodeFailed;
    }
    if (status == kForbidden || status == kTooManyRequests) {
        return kGeocodeRefused;
    }
    return readNominatimAnswer(*answer, components);
}

} // namespace

std::string geocodeUserAgent() {
    return std::string("Tessaro/") + TESSARO_VERSION;
}

int requestGeocode(const GeocodingService& service, double latitude, double longitude,
                   std::vector<std::string>& components, const std::function<bool()>& keepGoing) {
    try {
        const bool builtin = isBuiltinGeocodeUrl(service.baseUrl);
        if (builtin && !prepareBuiltinGeocoder()) {
            return kGeocodeUnavailable;
        }
        const std::string url = geocodeRequestUrl(service, latitude, longitude);
        if (isNominatimUrl(service.baseUrl)) {
            return RequestNominatim(service, url, components, keepGoing);
        }
        if (builtin) {
            return readGeocodeAnswer(fetchText(url, service.limits, keepGoing), components);
        }
        const RequestTurn turn(service.baseUrl, service.interval);
        return readGeocodeAnswer(fetchText(url, service.limits, keepGoing), components);
    } catch (const std::bad_alloc&) {
        return kGeocodeFailed;
    }
}

int reverseGeocode(const GeocodingService& service, double latitude, double longitude,
                   std::vector<std::string>& components, const std::function<bool()>& keepGoing) {
    if (!service.cache || isBuiltinGeocodeUrl(service.baseUrl)) {
        return requestGeocode(service, latitude, longitude, components, keepGoing);
    }
    try {
        if (auto kept = service.cache->find(service.baseUrl, latitude, longitude)) {
            components.insert(components.begin(), kept->begin(), kept->end());
            return kGeocodeOk;
        }
        std::vector<std::string> found;
        const int result = requestGeocode(service, latitude, longitude, found, keepGoing);
        if (result == kGeocodeOk) {
            service.cache->store(service.baseUrl, latitude, longitude, found);
            components.insert(components.begin(), found.begin(), found.end());
        }
        return result;
    } catch (const std::bad_alloc&) {
        return kGeocodeFailed;
    }
}
