#pragma once

#include <optional>
#include <string>

// The bytes of a regular file; nullopt (with errno set) when it cannot be read or is no regular
// file.
std::optional<std::string> ReadWholeFile(const std::string& path);

enum class Durability {
    Synced,      // on disk before it replaces the old file
    CallerSyncs, // the caller syncs a whole batch of files at once afterwards
};

// Writes `bytes` to a dot-named temporary file in the same folder and renames it over `path`
// (a symbolic link is followed, so the link stays). Returns false, with errno set, on any failure,
// also one the file system reports only when the file is closed.
bool ReplaceFileAtomically(const std::string& path, const std::string& bytes,
                           Durability durability = Durability::Synced);
