#pragma once

#include <string>
#include <string_view>
#include <vector>

// Reads the answer of a Nominatim server to a "reverse" request in its "jsonv2" form: the parts
// of its "address" object, inserted at the front of `components` coarsest first, on the five
// place levels — the country; the province or state; the city, town, village or municipality
// (else the ward, "city_district"); the suburb or quarter; and the finest part the address
// holds finer than those (a neighbourhood, a block, a road). A level the address lacks is left out,
// so the finer ones move up. kGeocodeOk then; kGeocodeFailed with the list untouched for an
// answer that is not such JSON or holds no address (Nominatim's {"error": ...}).
int readNominatimAnswer(std::string_view answer, std::vector<std::string>& components);
