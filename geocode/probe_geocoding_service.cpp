#include "geocode/probe_geocoding_service.h"

#include "geocode/geocode_answer.h"
#include "geocode/reverse_geocode.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Formatted 35.169621,136.883957 in the query.
constexpr double kProbeLatitude = 35.169620513916016;
constexpr double kProbeLongitude = 136.8839569091797;
// Shijō-Karasuma.
constexpr double kKyotoLatitude = 35.0036;
constexpr double kKyotoLongitude = 135.7597;

} // namespace

int probeGeocodingService(const GeocodingService& service, const std::function<bool()>& keepGoing) {
    std::vector<std::string> names;
    if (!isBuiltinGeocodeUrl(service.baseUrl)) {
        return requestGeocode(service, kProbeLatitude, kProbeLongitude, names, keepGoing);
    }
    const int result = requestGeocode(service, kKyotoLatitude, kKyotoLongitude, names);
    if (result != kGeocodeOk) {
        return result;
    }
    const std::vector<std::string> kyoto = {"日本", "京都府", "京都市"};
    return names.size() > kyoto.size() && std::equal(kyoto.begin(), kyoto.end(), names.begin())
               ? kGeocodeOk
               : kGeocodeFailed;
}
