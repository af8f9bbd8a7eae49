#include "records/copy_photos.h"

#include "app/window_messages.h"
#include "platform/hidden.h"
#include "platform/make_directories.h"
#include "platform/safe_copy.h"
#include "records/path_component.h"
#include "records/record_paths.h"
#include "records/record_writer.h"

#include <set>
#include <sys/stat.h>

namespace {

struct CopyState {
    std::string destination;
    std::string folder1; // the current year folder's component
    std::string folder2; // the current day folder's component
    std::set<std::string> cleaned;
    HiddenBatch hidden;
    CopyTally tally;
};

void Count(CopyTally& tally, CopyOutcome outcome) {
    switch (outcome) {
    case CopyOutcome::Copied:
        ++tally.copied;
        break;
    case CopyOutcome::TargetExists:
        ++tally.skipped;
        break;
    case CopyOutcome::Failed:
        ++tally.failed;
        break;
    }
}

// Makes the entry's folder or copies its photo; returns the folder that holds the entry.
std::string Place(CopyState& state, const QELFileInfo& entry) {
    if (entry.isFolder != 1) {
        const std::string folder = state.destination + state.folder1 + "/" + state.folder2 + "/";
        if (state.cleaned.insert(folder).second) {
            RemoveStaleCopies(folder);
        }
        Count(state.tally, CopyFileNoReplace(entry.path, folder + PathComponent(entry.title)));
        return folder;
    }
    if (entry.level != 0) {
        state.folder2 = PathComponent(entry.title);
        MakeDirectories(state.destination + state.folder1 + "/" + state.folder2 + "/");
        return state.destination + state.folder1 + "/";
    }
    state.folder1 = PathComponent(entry.title);
    MakeDirectories(state.destination + state.folder1 + "/");
    return state.destination;
}

void MakeKindDirectory(const std::string& kind, HiddenBatch& hidden) {
    struct stat status {};
    if (stat(kind.c_str(), &status) == 0) {
        return;
    }
    if (MakeDirectories(kind + "/") == 1) {
        hidden.add(kind);
    }
}

} // namespace

int CopyPhotos(CManageQELFileInfo& catalogue, const std::string& destination, MessageTarget* window,
               CopyTally* tally) {
    static const std::atomic<int> kAlwaysRunning{1};
    CopyState state;
    state.destination = destination;
    const std::size_t total = catalogue.results.size();
    for (std::size_t i = 0; i < total; ++i) {
        QELFileInfo& entry = *catalogue.results[i];
        const std::string parent = Place(state, entry);
        MakeKindDirectory(parent + RecordKindDirectory(entry), state.hidden);
        entry.path = parent + PathComponent(entry.title);
        if (entry.isFolder == 1) {
            WriteFolderRecord(entry, &state.hidden);
        } else {
            WritePhotoRecord(entry, &state.hidden);
        }
        if (window != nullptr) {
            window->send(
                {UM_COPY_PROGRESS, static_cast<WParam>(i + 1), static_cast<LParam>(total), nullptr},
                kAlwaysRunning);
        }
    }
    state.hidden.flush();
    // Cards are formatted after an import: the copies must be on disk when the pass ends.
    if (total > 0) {
        SyncFileSystemOf(destination);
    }
    if (tally != nullptr) {
        *tally = state.tally;
    }
    return 0;
}
