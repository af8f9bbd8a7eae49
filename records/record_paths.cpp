#include "records/record_paths.h"

#include "catalogue/folder_scan.h"

#include <string_view>

namespace {

constexpr std::string_view kFullwidthSolidus = "\xEF\xBC\x8F";

bool IsPhoto(const QELFileInfo& record) {
    return record.isFolder == 0;
}

std::string WithoutSlashes(const std::string& text) {
    std::string result;
    for (char c : text) {
        if (c == '/') {
            result += kFullwidthSolidus;
        } else {
            result += c;
        }
    }
    return result;
}

// A folder path handed over with its trailing '/' still names the folder itself.
std::string ParentFolder(std::string path) {
    while (path.size() > 1 && path.ends_with('/')) {
        path.pop_back();
    }
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return "";
    }
    return path.substr(0, slash + 1);
}

// The photo's extension gives way to the kind; a name without one is kept whole, so that no two
// names of one folder without an extension share a record.
std::string PhotoRecordName(const std::string& title) {
    const std::size_t stem =
        IsPhotoName(title) ? title.size() - kPhotoExtensionLength : title.size();
    return WithoutSlashes(title.substr(0, stem)) + "TSF.XML";
}

} // namespace

std::string RecordKindDirectory(const QELFileInfo& record) {
    if (IsPhoto(record)) {
        return "TSFXML";
    }
    return record.level == 0 ? "TS1XML" : "TS2XML";
}

std::string RecordFileName(const QELFileInfo& record) {
    if (IsPhoto(record)) {
        return PhotoRecordName(record.title);
    }
    return WithoutSlashes(record.title) + (record.level == 0 ? "TS1" : "TS2") + ".XML";
}

std::string PhotoRecordPath(const std::string& folder, const std::string& title) {
    return folder + "TSFXML/" + PhotoRecordName(title);
}

std::string RecordFilePath(const QELFileInfo& record) {
    return RecordKindDirectoryPath(record) + "/" + RecordFileName(record);
}

std::string RecordKindDirectoryPath(const QELFileInfo& record) {
    return ParentFolder(record.path) + RecordKindDirectory(record);
}
