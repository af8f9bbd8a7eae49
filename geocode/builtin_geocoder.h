#pragma once

#include <string>
#include <string_view>

// The embedded offline geocoder behind the endpoint "builtin:": GeoNames places of 15,000 people
// or more, with Japanese names. It answers a request URL in the service's XML shape, so that its
// answer is read exactly like the web service's.

// Kilometres within which the nearest place is named; farther out only its state and country.
inline constexpr double kBuiltinPlaceLimitKm = 20.0;
// Kilometres beyond which no place counts at all (open sea): the answer is "ZERO_RESULTS".
inline constexpr double kBuiltinStateLimitKm = 150.0;

// The answer to a request URL of the endpoint ("builtin:/maps/api/geocode/xml?latlng=..."):
// status "OK" and one result whose address components are, finest first, the nearest place
// (within kBuiltinPlaceLimitKm, and only when its name is not its state's), its state and its
// country; "ZERO_RESULTS" when no place lies within kBuiltinStateLimitKm; "INVALID_REQUEST" for
// a URL without a valid position. The first call builds the place index (some tens of
// milliseconds); later calls take microseconds. Callable from any thread.
std::string builtinGeocodeAnswer(std::string_view url);

// Builds the place index now unless it is built already.
void prepareBuiltinGeocoder();
