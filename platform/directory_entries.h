#pragma once

#include <compare>
#include <cstdint>
#include <functional>
#include <string>

struct DirectoryEntry {
    std::string name;         // bytes as the file system has them
    std::string fullPath;     // folder (ending in '/') followed by the name
    bool isDirectory = false; // symbolic links are followed; a dangling link is a file
    bool isLink = false;      // the entry itself is a symbolic link
};

struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    auto operator<=>(const FileIdentity&) const = default;
};

// Calls `visit` for every entry of `folder` (which ends in '/'), "." and ".." excluded, in the
// order the file system returns them. Returns false when the folder cannot be opened (nothing is
// visited) or a read fails part way (what was read before is visited).
bool EnumerateDirectory(const std::string& folder,
                        const std::function<void(const DirectoryEntry&)>& visit);

// The same, giving 0 when every entry was read, else the errno of the failed open or read.
int ListDirectory(const std::string& folder,
                  const std::function<void(const DirectoryEntry&)>& visit);

struct PathAt;

// EnumerateDirectory of a folder below a held one, opened without following a link on the way;
// `fullPath` is then relative to the held folder.
bool EnumerateDirectoryAt(const PathAt& folder,
                          const std::function<void(const DirectoryEntry&)>& visit);

// 0 when `folder` can be opened for enumeration, else the errno of the failure.
int FolderReadError(const std::string& folder);

// Device and inode of the directory a path names (links followed); false when it cannot be
// queried.
bool QueryFileIdentity(const std::string& path, FileIdentity& identity);
