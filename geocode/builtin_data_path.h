#pragma once

#include <string>

// Where the built-in geocoder's data file `name` is: in share/tessaro/ beside the folder that
// holds the running program (/usr/bin/tessaro reads /usr/share/tessaro/, any install prefix
// alike), else in geocode/data/ of the source tree it was built from, which serves the build
// folder and the tests. Empty when neither holds it.
std::string builtinDataPath(const std::string& name);
