#pragma once

#include <optional>
#include <string>

// The bytes of a regular file; nullopt (with errno set) when it cannot be read or is no regular
// file.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes `bytes` to a dot-named temporary file in the same folder, syncs it and renames it over
// `path` (a symbolic link is followed, so the link stays). Returns false on any failure.
bool ReplaceFileAtomically(const std::string& path, const std::string& bytes);
