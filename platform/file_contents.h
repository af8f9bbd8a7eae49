#pragma once

#include "platform/path_at.h"

#include <optional>
#include <string>

// The bytes of a regular file; nullopt (with errno set) when it cannot be read or is no regular
// file.
std::optional<std::string> ReadWholeFile(const PathAt& path);

enum class Durability {
    Synced,      // on disk before it replaces the old file
    CallerSyncs, // the caller syncs a whole batch of files at once afterwards
};

// What becomes of a symbolic link at the path written.
enum class LinkAtPath {
    Followed, // the file it names is replaced and the link stays: the user's own settings
    Replaced, // a regular file takes the link's place, what it names untouched: inside a library
};

// Writes `bytes` to a dot-named temporary file in the same folder and renames it over `path`.
// Returns false, with errno set, on any failure, also one the file system reports only when the
// file is closed. Below a held folder a link is always replaced, never followed.
bool ReplaceFileAtomically(const PathAt& path, const std::string& bytes,
                           Durability durability = Durability::Synced,
                           LinkAtPath link = LinkAtPath::Followed);
