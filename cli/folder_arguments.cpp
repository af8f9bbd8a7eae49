#include "cli/folder_arguments.h"

#include "platform/make_directories.h"

#include <dirent.h>
#include <filesystem>
#include <unistd.h>

namespace {

// The folder with every link resolved as far as it exists, ending in '/'.
std::string Resolved(const std::string& folder) {
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(folder, error);
    return AsFolder(error ? folder : resolved.string());
}

} // namespace

std::string AsFolder(std::string path) {
    // Records keep these paths; "card1/DCIM/" would mean nothing to a later run elsewhere.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (!error && !path.empty()) {
        path = absolute.lexically_normal().string();
    }
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    return path;
}

bool CheckSource(const std::string& source, std::string& reason) {
    DIR* folder = opendir(source.c_str());
    if (folder == nullptr) {
        reason = "cannot read the source folder " + source;
        return false;
    }
    closedir(folder);
    return true;
}

bool PrepareDestination(const std::string& source, const std::string& destination,
                        std::string& reason) {
    if (Resolved(destination).rfind(Resolved(source), 0) == 0) {
        reason = "the destination " + destination + " lies inside the source " + source;
        return false;
    }
    if (MakeDirectories(destination) != 1) {
        reason = "cannot create the destination folder " + destination;
        return false;
    }
    if (access(destination.c_str(), W_OK | X_OK) != 0) {
        reason = "cannot write to the destination folder " + destination;
        return false;
    }
    return true;
}
