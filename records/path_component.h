#pragma once

#include <string>

// A title as one component of a path: "/" becomes "／", and a title that is exactly "." or ".."
// becomes "．" or "．．", so that no title can lead a path out of the destination folder.
std::string PathComponent(const std::string& title);
