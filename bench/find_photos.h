#pragma once

#include <string>
#include <vector>

// Every file below `folder` that the scan takes for a photo, sorted.
std::vector<std::string> FindPhotos(const std::string& folder);
