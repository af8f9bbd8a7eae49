#include "records/library_index.h"

#include "catalogue/folder_scan.h"
#include "platform/directory_entries.h"
#include "platform/same_contents.h"
#include "records/record_lines.h"
#include "records/record_paths.h"

#include <sys/stat.h>

namespace {

// Libraries are year and day folders; a deeper tree is walked this far and no further.
constexpr int kDeepestFolder = 32;

constexpr std::string_view kPhotoKind = "TSFXML";
constexpr std::string_view kYearKind = "TS1XML";
constexpr std::string_view kDayKind = "TS2XML";
constexpr std::string_view kRecordEnd = "TSF.XML";

std::string Key(const std::string& name, const std::string& date, std::uint64_t size) {
    return name + '\0' + date + '\0' + std::to_string(size);
}

// Symbolic links are not followed: whatever a photo is found to be must lie in the destination.
bool IsKind(const std::string& path, mode_t kind, std::uint64_t* size = nullptr) {
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0 || (status.st_mode & S_IFMT) != kind) {
        return false;
    }
    if (size != nullptr) {
        *size = static_cast<std::uint64_t>(status.st_size);
    }
    return true;
}

std::string RecordName(const std::string& photoName) {
    const std::string path = PhotoRecordPath("", photoName);
    return path.substr(path.find('/') + 1);
}

// A record the analysis pass would date as the photo: by its EXIF date, or, without one, by
// the file time the photo had.
std::string RecordedDate(std::string_view text) {
    std::string date = FindElement("DateTimeOriginal", text);
    return date.empty() ? FindElement("1stDateTimeFileRec", text) : date;
}

std::string PhotoKey(const QELFileInfo& photo, std::uint64_t size) {
    const std::string& name = photo.orgTitleFileName.empty() ? photo.name : photo.orgTitleFileName;
    const std::string& date =
        photo.dateTimeOriginalText.empty() ? photo.fileDateTimeText : photo.dateTimeOriginalText;
    return Key(name, date, size);
}

} // namespace

std::string LibraryIndex::find(const QELFileInfo& photo) {
    if (!walked_) {
        walked_ = true;
        walk(destination_, 0);
    }
    struct stat source {};
    if (stat(photo.path.c_str(), &source) != 0 || !S_ISREG(source.st_mode)) {
        return {};
    }
    const auto places = places_.find(PhotoKey(photo, static_cast<std::uint64_t>(source.st_size)));
    if (places == places_.end()) {
        return {};
    }
    for (const std::string& place : places->second) {
        if (SameContents(photo.path, place)) {
            return place;
        }
    }
    return {};
}

void LibraryIndex::walk(const std::string& folder, int depth) {
    std::vector<std::string> files;
    std::vector<std::string> folders;
    bool records = false;
    EnumerateDirectory(folder, [&](const DirectoryEntry& entry) {
        if (entry.name.starts_with('.')) {
            return;
        }
        if (!entry.isDirectory) {
            files.push_back(entry.name);
        } else if (entry.name == kPhotoKind) {
            records = true;
        } else if (entry.name != kYearKind && entry.name != kDayKind) {
            folders.push_back(entry.fullPath);
        }
    });
    if (records) {
        indexRecords(folder, files);
    }
    if (depth == kDeepestFolder) {
        return;
    }
    for (const std::string& inner : folders) {
        if (IsKind(inner, S_IFDIR)) {
            walk(inner + "/", depth + 1);
        }
    }
}

void LibraryIndex::indexRecords(const std::string& folder, const std::vector<std::string>& files) {
    // A name without ".JPG" and the same name with it share a record name; the photo wins.
    std::unordered_map<std::string, std::string> photoOf;
    for (const std::string& file : files) {
        std::string& photo = photoOf[RecordName(file)];
        if (photo.empty() || (IsPhotoName(file) && !IsPhotoName(photo))) {
            photo = file;
        }
    }
    const std::string kind = folder + std::string(kPhotoKind) + "/";
    std::vector<std::string> lines;
    EnumerateDirectory(kind, [&](const DirectoryEntry& entry) {
        const auto photo = photoOf.find(entry.name);
        std::uint64_t size = 0;
        if (!entry.name.ends_with(kRecordEnd) || photo == photoOf.end() ||
            !IsKind(entry.fullPath, S_IFREG) || ReadRecordLines(entry.fullPath, lines) == 0 ||
            !IsKind(folder + photo->second, S_IFREG, &size)) {
            return;
        }
        const std::string text = JoinRecordLines(lines);
        const std::string name = FindElement("OrgTitleFileName", text);
        if (!name.empty()) {
            places_[Key(name, RecordedDate(text), size)].push_back(folder + photo->second);
        }
    });
}
