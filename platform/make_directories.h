#pragma once

#include <string>

// Creates every missing directory of the part of `path` before its last '/'; the part after it
// is taken as a file name and not created, so a path ending in '/' creates all of its
// directories. Never tries to create "/" itself. Returns 1 when every directory exists
// afterwards, 0 with errno set when a creation failed (ENOTDIR where a component exists but is
// not a directory).
int MakeDirectories(const std::string& path);
