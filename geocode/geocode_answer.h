#pragma once

#include <string>
#include <string_view>
#include <vector>

// Result codes of a geocoding call.
inline constexpr int kGeocodeOk = 0;
inline constexpr int kGeocodeOverQueryLimit = -1;
inline constexpr int kGeocodeFailed = -100;

// Reads the service's answer (narrow text): kGeocodeOverQueryLimit or kGeocodeFailed for a
// status other than "OK" or none at all, the list untouched; otherwise kGeocodeOk, with the
// "long_name"s of the first result's address components inserted at the front of `components`,
// coarsest first. A Japanese address stops at the country, so its postal code is never read; a
// leading postal code (a name reading as a positive number) is dropped.
int readGeocodeAnswer(std::string_view answer, std::vector<std::string>& components);
