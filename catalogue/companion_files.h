#pragma once

#include "platform/directory_entries.h"

#include <string>
#include <vector>

// What the files of one folder are to its photos, entry by entry, for the entries in name order:
// the full paths of a photo's companions in name order, and whether an entry is a companion.
// A companion is a file, not itself a photo, whose name less its last extension is the photo's
// less ".JPG", ASCII letters in either case alike (IMG_0001.CR3, img_0001.wav beside
// IMG_0001.JPG). Where photos share a name in different case, the first in name order takes them.
// Names starting with '.' are housekeeping, never companions.
struct FolderCompanions {
    std::vector<std::vector<std::string>> ofPhoto;
    std::vector<bool> isCompanion;
};

FolderCompanions FindCompanions(const std::vector<DirectoryEntry>& entries);

// True for a name starting with '.': a file system's or a desktop's own (.DS_Store, .hidden).
bool IsHousekeepingName(const std::string& name);
