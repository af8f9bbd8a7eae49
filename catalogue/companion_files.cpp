#include "catalogue/companion_files.h"

#include "catalogue/folder_scan.h"
#include "platform/ascii_case.h"

#include <unordered_map>

bool IsHousekeepingName(const std::string& name) {
    return !name.empty() && name.front() == '.';
}

FolderCompanions FindCompanions(const std::vector<DirectoryEntry>& entries) {
    FolderCompanions found;
    found.ofPhoto.resize(entries.size());
    found.isCompanion.assign(entries.size(), false);
    std::unordered_map<std::string, std::size_t> photoOfStem;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const DirectoryEntry& entry = entries[i];
        if (!entry.isDirectory && IsPhotoName(entry.name)) {
            const std::string stem =
                entry.name.substr(0, entry.name.size() - kPhotoExtensionLength);
            photoOfStem.emplace(AsciiUpper(stem), i);
        }
    }
    // Most folders of a card hold photos; one without any needs no second look.
    if (photoOfStem.empty()) {
        return found;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const DirectoryEntry& entry = entries[i];
        if (entry.isDirectory || IsPhotoName(entry.name) || IsHousekeepingName(entry.name)) {
            continue;
        }
        const std::size_t dot = entry.name.rfind('.');
        if (dot == std::string::npos) {
            continue;
        }
        const auto photo = photoOfStem.find(AsciiUpper(entry.name.substr(0, dot)));
        if (photo != photoOfStem.end()) {
            found.ofPhoto[photo->second].push_back(entry.fullPath);
            found.isCompanion[i] = true;
        }
    }
    return found;
}
