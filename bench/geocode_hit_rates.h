#pragma once

// How often the built-in geocoder names a photo's prefecture, municipality (with its ward in a
// designated city) and town: over 50 named positions, and over 2,000 of its own town points drawn
// with a fixed seed, each moved 100 m, the polygon that holds the moved point being the truth.
// Prints the misses of the named positions and the rates; needs the geocoder's data loaded.
void PrintGeocodeHitRates();
