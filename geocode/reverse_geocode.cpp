#include "geocode/reverse_geocode.h"

#include "geocode/fetch_text.h"
#include "geocode/geocode_answer.h"
#include "geocode/geocode_request.h"

#include <new>

int reverseGeocode(const GeocodingService& service, double latitude, double longitude,
                   std::vector<std::string>& components, const std::function<bool()>& keepGoing) {
    try {
        const std::string answer =
            fetchText(geocodeRequestUrl(service, latitude, longitude), service.limits, keepGoing);
        return readGeocodeAnswer(answer, components);
    } catch (const std::bad_alloc&) {
        return kGeocodeFailed;
    }
}
