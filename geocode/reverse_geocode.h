#pragma once

#include "geocode/geocoding_service.h"

#include <functional>
#include <string>
#include <vector>

// One request to the service for the position and the reading of its answer (readGeocodeAnswer,
// or readNominatimAnswer for a Nominatim server, asked with our own User-Agent after the
// service's interval since the last request): kGeocodeOk with the place names inserted at the
// front of `components`, coarsest first; otherwise the list is untouched and the result is
// kGeocodeOverQueryLimit, kGeocodeRefused (the service refused the key, or a Nominatim server
// answered 403 or 429), kGeocodeUnavailable (the built-in geocoder cannot load its data) or
// kGeocodeFailed. No cache; callable from any thread. A request under way is broken off
// (kGeocodeFailed) once `keepGoing` turns false.
int requestGeocode(const GeocodingService& service, double latitude, double longitude,
                   std::vector<std::string>& components,
                   const std::function<bool()>& keepGoing = {});

// requestGeocode behind the service's cache, when it has one and is a web service: a position
// asked before (within about 10 m) costs no request, and every kGeocodeOk answer is kept.
int reverseGeocode(const GeocodingService& service, double latitude, double longitude,
                   std::vector<std::string>& components,
                   const std::function<bool()>& keepGoing = {});

// "Tessaro/<version>": how a Nominatim server's usage policy asks a program to name itself.
std::string geocodeUserAgent();
