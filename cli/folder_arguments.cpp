#include "cli/folder_arguments.h"

#include "platform/directory_entries.h"
#include "platform/folder_nesting.h"
#include "platform/make_directories.h"

#include <filesystem>
#include <unistd.h>

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
    if (FolderReadError(source) != 0) {
        reason = "cannot read the source folder " + source;
        return false;
    }
    return true;
}

bool PrepareDestination(const std::string& source, const std::string& destination,
                        std::string& reason) {
    switch (NestingOf(source, destination)) {
    case FolderNesting::Same:
        reason = "the destination " + destination + " is the source";
        return false;
    case FolderNesting::Inside:
        reason = "the destination " + destination + " lies inside the source " + source;
        return false;
    case FolderNesting::Holds:
        reason = "the destination " + destination + " holds the source " + source;
        return false;
    case FolderNesting::Apart:
        break;
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
