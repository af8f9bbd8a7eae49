#pragma once

#include <string>
#include <vector>

inline constexpr int kPlaceAll = 4;

// Component `level` of the address (0 country ... 3 district), or all of them joined for
// level 4 — but only when there are at least five; empty when there are not enough.
std::string placeText(const std::vector<std::string>& components, int level);
std::string joinComponents(const std::vector<std::string>& components);
