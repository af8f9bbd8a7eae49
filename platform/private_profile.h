#pragma once

#include <string>
#include <utility>
#include <vector>

// INI files with the semantics of the Windows private-profile calls: sections and keys match
// case-insensitively, values are trimmed, a missing file, section or key gives the default,
// and a write creates file and section as needed and keeps every other line as it was.
// Files are UTF-8 with LF line ends.

// At most `capacity - 1` bytes of the value are returned (cut at a UTF-8 character boundary).
std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, const std::string& path,
                                    std::size_t capacity = 8192);

// Leading decimal digits with an optional sign, as atoi; the default when the key is missing.
int GetPrivateProfileInt(const std::string& section, const std::string& key, int defaultValue,
                         const std::string& path);

// Replaces the value of the key (the first one when the key appears more than once), or appends
// the key to the section, or appends the section. The file is replaced atomically. Returns
// false when the file cannot be written.
bool WritePrivateProfileString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& path);

using ProfileEntries = std::vector<std::pair<std::string, std::string>>;

// Several keys of one section, set in order as by WritePrivateProfileString, with the file
// replaced once. Nothing is written when one of them cannot be.
bool WritePrivateProfileStrings(const std::string& section, const ProfileEntries& entries,
                                const std::string& path);
