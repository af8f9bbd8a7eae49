#pragma once

#include <string>
#include <vector>

inline constexpr int kPlaceAll = 4;

// Component `level` of the address (0 country, 1 prefecture, 2 municipality, 3 district), or the
// most detailed component of a shorter address; all of them (level 4) are joined however many
// there are. So a photo with a place never loses it to an answer shorter than the level asks
// (Paris, whose city is its state; a photo off the coast, named with its prefecture only).
std::string placeText(const std::vector<std::string>& components, int level);
std::string joinComponents(const std::vector<std::string>& components);
