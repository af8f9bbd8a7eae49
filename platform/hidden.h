#pragma once

#include <string>

// A name is hidden when it starts with '.', or when it is listed in the `.hidden` file of its
// directory (one name a line), as Linux file managers show it.
bool IsHiddenPath(const std::string& path);

// Adds the last component of `path` to its parent's `.hidden` file: creates the file when
// missing, adds no duplicate line, replaces the file atomically. Trailing '/' of `path` is
// ignored. Returns false when the file cannot be written.
bool AddHidden(const std::string& path);
