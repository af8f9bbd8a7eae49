#pragma once

#include "platform/path_at.h"

#include <string>
#include <sys/stat.h>

enum class FilePlaced {
    Copied,
    AlreadyThere, // the target holds the source's very bytes
    Taken,        // a different file bears the target's name, and stays as it was
    Failed,       // errno says why
};

// Copies `source` to `target` without replacing anything (CopyFileNoReplace). Photos and the
// files that travel with them are all copied here, so what follows a fresh copy has one home.
FilePlaced PlaceFile(const std::string& source, const PathAt& target);

// PlaceFile from `source` opened by OpenCopySource, `status` being what it found.
FilePlaced PlaceOpenedFile(const std::string& source, int opened, const struct stat& status,
                           const PathAt& target);
