#include "records/place_file.h"

#include "platform/safe_copy.h"
#include "platform/same_contents.h"

FilePlaced PlaceFile(const std::string& source, const std::string& target) {
    switch (CopyFileNoReplace(source, target)) {
    case CopyOutcome::Copied:
        return FilePlaced::Copied;
    case CopyOutcome::TargetExists:
        return SameContents(source, target) ? FilePlaced::AlreadyThere : FilePlaced::Taken;
    case CopyOutcome::Failed:
        break;
    }
    return FilePlaced::Failed;
}
