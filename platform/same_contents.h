#pragma once

#include "platform/path_at.h"

#include <string>

// Whether the file that bears the name `taken` (as the file system resolves it) holds exactly
// the bytes of the file `source`: sizes first, then the contents. Anything that is no regular
// file or cannot be read whole counts as different.
bool SameContents(const std::string& source, const PathAt& taken);
