#pragma once

#include <string>
#include <string_view>
#include <vector>

// Result codes of a geocoding call.
inline constexpr int kGeocodeOk = 0;
inline constexpr int kGeocodeOverQueryLimit = -1;
// The service refused our key or our requests: asking again in this pass is useless.
inline constexpr int kGeocodeRefused = -2;
// The built-in geocoder cannot load its data.
inline constexpr int kGeocodeUnavailable = -3;
inline constexpr int kGeocodeFailed = -100;

// Reads the service's answer (narrow text): kGeocodeOverQueryLimit for "OVER_QUERY_LIMIT",
// kGeocodeRefused for "REQUEST_DENIED", kGeocodeFailed for any other status other than "OK" or
// none at all, the list untouched; otherwise kGeocodeOk, with the
// "long_name"s of the first result's address components inserted at the front of `components`,
// coarsest first. A Japanese address stops at the country, so its postal code is never read; a
// leading postal code (a name reading as a positive number) is dropped.
int readGeocodeAnswer(std::string_view answer, std::vector<std::string>& components);
