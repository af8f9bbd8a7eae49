#include "workflow/destination_check.h"

#include "platform/folder_nesting.h"
#include "platform/folder_write_error.h"
#include "platform/make_directories.h"

#include <cerrno>

DestinationCheck CheckDestination(const std::string& source, const std::string& destination,
                                  DestinationChecks checks) {
    switch (NestingOf(source, destination)) {
    case FolderNesting::Same:
        return {DestinationProblem::IsSource, 0};
    case FolderNesting::Inside:
        return {DestinationProblem::InsideSource, 0};
    case FolderNesting::Holds:
        return {DestinationProblem::HoldsSource, 0};
    case FolderNesting::Apart:
        break;
    }
    if (checks == DestinationChecks::NestingOnly) {
        return {};
    }
    if (checks == DestinationChecks::CreateWritable && MakeDirectories(destination) != 1) {
        return {DestinationProblem::CannotCreate, errno};
    }
    if (const int error = FolderWriteError(destination); error != 0) {
        return {DestinationProblem::CannotWrite, error};
    }
    return {};
}
