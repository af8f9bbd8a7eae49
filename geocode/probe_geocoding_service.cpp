#include "geocode/probe_geocoding_service.h"

#include "geocode/geocode_answer.h"
#include "geocode/reverse_geocode.h"

#include <string>
#include <vector>

namespace {

// Formatted 35.169621,136.883957 in the query.
constexpr double kProbeLatitude = 35.169620513916016;
constexpr double kProbeLongitude = 136.8839569091797;

} // namespace

int probeGeocodingService(const GeocodingService& service, const std::function<bool()>& keepGoing) {
    // The embedded geocoder needs no network, and asking it would build its index on the
    // window's thread.
    if (isBuiltinGeocodeUrl(service.baseUrl)) {
        return kGeocodeOk;
    }
    std::vector<std::string> scratch;
    return reverseGeocode(service, kProbeLatitude, kProbeLongitude, scratch, keepGoing);
}
