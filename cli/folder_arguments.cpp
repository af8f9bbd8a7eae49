#include "cli/folder_arguments.h"

#include "platform/directory_entries.h"
#include "workflow/destination_check.h"

#include <cstring>
#include <filesystem>

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
    const DestinationCheck check =
        CheckDestination(source, destination, DestinationChecks::CreateWritable);
    const std::string because = std::string(": ") + std::strerror(check.error);
    switch (check.problem) {
    case DestinationProblem::None:
        return true;
    case DestinationProblem::IsSource:
        reason = "the destination " + destination + " is the source";
        break;
    case DestinationProblem::InsideSource:
        reason = "the destination " + destination + " lies inside the source " + source;
        break;
    case DestinationProblem::HoldsSource:
        reason = "the destination " + destination + " holds the source " + source;
        break;
    case DestinationProblem::CannotCreate:
        reason = "cannot create the destination folder " + destination + because;
        break;
    case DestinationProblem::CannotWrite:
        reason = "cannot write to the destination folder " + destination + because;
        break;
    }
    return false;
}
