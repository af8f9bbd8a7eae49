#include "records/place_file.h"

#include "platform/safe_copy.h"
#include "platform/same_contents.h"

namespace {

FilePlaced Placed(CopyOutcome outcome, const std::string& source, const PathAt& target) {
    switch (outcome) {
    case CopyOutcome::Copied:
        return FilePlaced::Copied;
    case CopyOutcome::TargetExists:
        return SameContents(source, target) ? FilePlaced::AlreadyThere : FilePlaced::Taken;
    case CopyOutcome::Failed:
        break;
    }
    return FilePlaced::Failed;
}

} // namespace

FilePlaced PlaceFile(const std::string& source, const PathAt& target) {
    return Placed(CopyFileNoReplace(source, target), source, target);
}

FilePlaced PlaceOpenedFile(const std::string& source, int opened, const struct stat& status,
                           const PathAt& target) {
    return Placed(CopyOpenedNoReplace(opened, status, target), source, target);
}
