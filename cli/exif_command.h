#pragma once

#include <string>
#include <vector>

// `tessaro-cli exif FILE...`: one tab-separated line per file. Returns the exit status: 1 when
// some file could not be opened, else 0.
int RunExifCommand(const std::vector<std::string>& files);
