#pragma once

#include "platform/path_at.h"

#include <string>

// Creates every missing directory of the part of `path` before its last '/'; the part after it
// is taken as a file name and not created, so a path ending in '/' creates all of its
// directories. Never tries to create "/" itself. Returns 1 when every directory exists
// afterwards, 0 with errno set when a creation failed (ENOTDIR where a component exists but is
// not a directory).
// Below a held folder (see PathAt) each directory is made with mkdirat in the one before, and a
// component that is a symbolic link counts as not a directory: nothing is made through a link,
// and the held folder itself is never made.
int MakeDirectories(const PathAt& path);
