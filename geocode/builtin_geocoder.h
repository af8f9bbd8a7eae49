#pragma once

#include <string>
#include <string_view>

// The embedded offline geocoder behind the endpoint "builtin:". In Japan, the prefecture, the
// municipality and the ward of a designated city come from the municipality polygons, and the town
// (大字・町丁目) is the nearest town point of that municipality or ward (geocode/data/japan.bin).
// Elsewhere the country and the state or province come from Natural Earth's admin-1 polygons
// (geocode/data/admin1.bin), in Japanese where Natural Earth has a Japanese name, and the place is
// the nearest GeoNames place of 15,000 people or more inside that same state, through
// libgeonames. It answers a request URL in the service's XML shape, so that its answer is read
// exactly like the web service's.

// Kilometres within which the municipality nearest to a position outside every one (a beach, a
// pier, the simplified coast) is taken.
inline constexpr double kBuiltinNearbyMunicipalityKm = 2.0;
// Kilometres within which the polygon nearest to a position outside every polygon (a small
// island, a harbour) is taken for its state.
inline constexpr double kBuiltinNearbyStateKm = 5.0;
// Kilometres within which the nearest place of the position's state is named.
inline constexpr double kBuiltinPlaceLimitKm = 20.0;

// The answer to a request URL of the endpoint ("builtin:/maps/api/geocode/xml?latlng=..."):
// status "OK" and one result whose address components are, finest first: in Japan the town, the
// ward, the municipality, the prefecture and 日本 (no county: 美瑛町, not 上川郡美瑛町); abroad
// the place (when one lies within kBuiltinPlaceLimitKm in the same state, and only when its name
// is not its state's), the state and the country; off Japan's coast farther than
// kBuiltinNearbyMunicipalityKm, the prefecture and 日本. "ZERO_RESULTS" when no polygon holds the
// position or lies within kBuiltinNearbyStateKm (open sea); "INVALID_REQUEST" for a URL without a
// valid position; "UNKNOWN_ERROR" when the geocoder's data could not be loaded. The first call
// loads the data (some tenths of a second); later calls take microseconds. Callable from any
// thread.
std::string builtinGeocodeAnswer(std::string_view url);

// Loads the data now unless it is loaded already; true when the geocoder can answer: its polygons
// were read and libgeonames was opened.
bool prepareBuiltinGeocoder();
