#include "cli/not_imported.h"

#include <cstdio>
#include <cstring>

namespace {

struct KindWords {
    LeftKind kind;
    const char* tag;      // in the --list-skipped lines
    const char* singular; // in the count line
    const char* plural;
};

constexpr KindWords kKinds[] = {
    {LeftKind::Video, "video", "video", "videos"},
    {LeftKind::RawOnly, "raw-only", "RAW only", "RAW only"},
    {LeftKind::Picture, "picture", "other picture", "other pictures"},
    {LeftKind::Other, "other", "other file", "other files"},
    {LeftKind::HiddenPhoto, "hidden", "photo in a hidden folder", "photos in hidden folders"}};

} // namespace

std::string NotImportedLine(const LeftOnCard& left) {
    std::string line;
    for (const KindWords& words : kKinds) {
        if (const std::size_t count = left.count(words.kind); count > 0) {
            line += (line.empty() ? "not imported: " : " / ") + std::to_string(count) + " " +
                    (count == 1 ? words.singular : words.plural);
        }
    }
    return line;
}

void PrintNotImported(const LeftOnCard& left, bool each) {
    if (left.empty()) {
        return;
    }
    std::printf("%s\n", NotImportedLine(left).c_str());
    if (!each) {
        return;
    }
    for (const KindWords& words : kKinds) {
        for (const std::string& path : left.of(words.kind)) {
            std::printf("%s\t%s\n", words.tag, path.c_str());
        }
    }
}

void PrintUnreadFolders(const UnreadFolders& unread) {
    for (const UnreadFolder& folder : unread) {
        std::fprintf(stderr, "could not read folder: %s: %s\n", folder.path.c_str(),
                     std::strerror(folder.error));
    }
}

void PrintUnreadCount(const UnreadFolders& unread) {
    if (const std::size_t count = unread.size(); count > 0) {
        std::printf("%zu %s could not be read\n", count, count == 1 ? "folder" : "folders");
    }
}
