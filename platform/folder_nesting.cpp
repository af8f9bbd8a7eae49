#include "platform/folder_nesting.h"

#include <filesystem>

namespace {

// Absolute, links resolved where the path exists, ending in '/'.
std::string Resolved(const std::string& folder) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(folder, error);
    if (error) {
        path = folder;
    }
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    std::string text = (error ? path.lexically_normal() : resolved).string();
    if (text.empty() || text.back() != '/') {
        text += '/';
    }
    return text;
}

} // namespace

FolderNesting NestingOf(const std::string& source, const std::string& destination) {
    if (source.empty() || destination.empty()) {
        return FolderNesting::Apart;
    }
    const std::string from = Resolved(source);
    const std::string to = Resolved(destination);
    if (to == from) {
        return FolderNesting::Same;
    }
    if (to.starts_with(from)) {
        return FolderNesting::Inside;
    }
    if (from.starts_with(to)) {
        return FolderNesting::Holds;
    }
    return FolderNesting::Apart;
}
