#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// GeoNames' populations at which a place in Japan is taken to be a city: the Local Autonomy Law
// asks 50,000 people of a city, and the towns and villages that large are very few.
inline constexpr std::uint32_t kCityPopulation = 50000;

// A place's name in Japan as a Japanese user writes it. GeoNames gives many cities their name
// without its suffix (仙台 for 仙台市); such a name gets 市 when GeoNames counts a city's
// population there and the place is one named place, not a district of a town ("Kokubu-matsuki")
// nor a romanised name. A name that already ends in 市, 区, 町, 村 or a prefecture's suffix is
// kept as it is.
std::string municipalityName(std::string_view japaneseName, std::string_view geonamesName,
                             std::uint32_t population);
