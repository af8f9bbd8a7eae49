#pragma once

#include <string>

// Where the built-in geocoder's data file `name` is: in the folder the environment variable
// TESSARO_DATA_DIR names, when it is set, and nowhere else; otherwise in share/tessaro/ beside
// the folder that holds the running program (/usr/bin/tessaro reads /usr/share/tessaro/, any
// install prefix alike; the build folder is laid out the same way). Empty when it is not there.
std::string builtinDataPath(const std::string& name);
