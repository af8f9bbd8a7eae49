#include "records/copy_photos.h"

#include "platform/error_report.h"
#include "platform/error_text.h"
#include "platform/file_system_seam.h"
#include "platform/hidden.h"
#include "platform/make_directories.h"
#include "platform/safe_copy.h"
#include "platform/same_contents.h"
#include "platform/temporary_file.h"
#include "platform/window_messages.h"
#include "records/copy_verifier.h"
#include "records/path_component.h"
#include "records/record_paths.h"
#include "records/record_writer.h"
#include "titles/numbered_name.h"

#include <cerrno>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How far a taken name is numbered before the photo counts as failed.
constexpr int kMostNumbers = 9999;

struct CopyState {
    CopyState(const std::string& destination, FileSystemSync& sync, const CopyOptions& options)
        : destination(destination), verifier(sync, options.verify) {}

    std::string destination;
    std::string folder1; // the current year folder's component
    std::string folder2; // the current day folder's component
    std::set<std::string> cleaned;
    HiddenBatch hidden;
    CopyTally tally;
    CopyVerifier verifier;
};

void Report(const std::string& what, const std::string& about, int error) {
    ReportError(what + ": " + about + ": " + ErrorText(error));
}

// Temporaries that a killed run left go the first time the pass writes into their folder.
void Clean(CopyState& state, const std::string& folder) {
    if (state.cleaned.insert(folder).second) {
        RemoveStaleTemporaries(folder);
    }
}

// The lists draw an entry's title under the catalogue's lock, and the pass may run on a thread of
// its own.
void PutInPlace(QELFileInfo& entry, const std::string& title, std::string path) {
    const auto lock = LockRecord(entry);
    entry.title = title;
    entry.path = std::move(path);
}

enum class Placed { Copied, Renamed, AlreadyThere, Failed };

// Copies the photo at `source` into `folder` as `name`; where a different file bears that name,
// or another photo's record bears the record name that goes with it, as the first free numbered
// form of it. A name whose file holds the photo's very bytes is the photo, already there.
// `name` becomes the name used; errno is set when it failed.
Placed PlacePhoto(const std::string& source, const std::string& folder, std::string& name) {
    const std::string title = name;
    for (int number = 0; number <= kMostNumbers; ++number) {
        name = number == 0 ? title : NumberedName(title, number);
        const std::string target = folder + name;
        if (NameTaken(target)) {
            if (SameContents(source, target)) {
                return Placed::AlreadyThere;
            }
            continue;
        }
        if (NameTaken(PhotoRecordPath(folder, name))) {
            continue;
        }
        switch (CopyFileNoReplace(source, target)) {
        case CopyOutcome::Copied:
            return number == 0 ? Placed::Copied : Placed::Renamed;
        case CopyOutcome::TargetExists: // made meanwhile, or one name with another here
            if (SameContents(source, target)) {
                return Placed::AlreadyThere;
            }
            continue;
        case CopyOutcome::Failed:
            return Placed::Failed;
        }
    }
    name = title;
    errno = EEXIST;
    return Placed::Failed;
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

// Writes the entry's record beside it; false when it could not be (the writer has said so).
bool Record(CopyState& state, const std::string& parent, QELFileInfo& entry) {
    const std::string kind = parent + RecordKindDirectory(entry);
    Clean(state, parent);
    Clean(state, kind + "/");
    MakeKindDirectory(kind, state.hidden);
    const int written = entry.isFolder == 1 ? WriteFolderRecord(entry, &state.hidden)
                                            : WritePhotoRecord(entry, &state.hidden);
    return written == 0;
}

// A copy that read back other bytes is gone: so is its record, and the entry names its source
// again, so that a later pass copies it anew.
void TakeBack(CopyState& state, QELFileInfo& entry, const std::string& record,
              const std::string& source, const std::string& title, bool renamed) {
    if (unlink(record.c_str()) != 0 && errno != ENOENT) {
        Report("記録ファイルを消せませんでした", record, errno);
    }
    CopyTally& tally = state.tally;
    --tally.copied;
    ++tally.failed;
    tally.renamed -= renamed ? 1 : 0;
    tally.fileDated -= DatedByFileTime(entry) ? 1 : 0;
    PutInPlace(entry, title, source);
}

void CopyPhoto(CopyState& state, QELFileInfo& entry) {
    const std::string folder = state.destination + state.folder1 + "/" + state.folder2 + "/";
    std::string name = PathComponent(entry.title, ComponentOf::Photo);
    if (name.empty()) { // no title, or nothing of one that a name can hold: the photo's own name
        name = PathComponent(entry.orgTitleFileName, ComponentOf::Photo);
    }
    const Placed placed = PlacePhoto(entry.path, folder, name);
    const int error = errno;
    CopyTally& tally = state.tally;
    if (placed == Placed::Failed) {
        // The entry keeps its source, so that the next pass tries again.
        Report("写真をコピーできませんでした", entry.path + " → " + folder + name, error);
        ++tally.failed;
        return;
    }
    const std::string source = entry.path;
    const std::string title = entry.title;
    PutInPlace(entry, name, folder + name);
    if (!Record(state, folder, entry)) {
        ++tally.failed;
    } else if (placed == Placed::AlreadyThere) {
        ++tally.skipped;
    } else {
        const bool renamed = placed == Placed::Renamed;
        ++tally.copied;
        tally.renamed += renamed ? 1 : 0;
        state.verifier.add(source, entry.path,
                           [&state, &entry, record = PhotoRecordPath(folder, name), source, title,
                            renamed] { TakeBack(state, entry, record, source, title, renamed); });
    }
    if (DatedByFileTime(entry)) {
        ++tally.fileDated;
    }
}

void MakeFolder(CopyState& state, QELFileInfo& entry) {
    std::string parent = state.destination;
    std::string& component = entry.level == 0 ? state.folder1 : state.folder2;
    if (entry.level != 0) {
        parent += state.folder1 + "/";
    }
    component = PathComponent(entry.title, ComponentOf::Folder);
    PutInPlace(entry, component, parent + component);
    if (MakeDirectories(entry.path + "/") != 1) {
        Report("フォルダを作成できませんでした", entry.path, errno);
        ++state.tally.otherFailures;
        return;
    }
    if (!Record(state, parent, entry)) {
        ++state.tally.otherFailures;
    }
}

// Cards are formatted after an import: a copy counts only once it is known to be on disk, and
// has been read back from it.
void Finish(CopyState& state) {
    CopyTally& tally = state.tally;
    for (const HiddenBatch::Unwritten& list : state.hidden.flush()) {
        Report("隠しファイルの一覧を書けませんでした", list.list, list.error);
        ++tally.otherFailures;
    }
    if (!state.verifier.finish()) {
        Report("コピーがディスクに書き込まれたことを確かめられませんでした", state.destination,
               errno);
        tally.failed += tally.copied;
        tally.copied = 0;
        tally.renamed = 0;
    }
}

// The photos the pass did not come to keep their source paths, so that a later STEP6 copies them.
void ReportNotReached(const RecordList& results, std::size_t from, CopyTally& tally) {
    for (std::size_t i = from; i < results.size(); ++i) {
        if (results[i]->isFolder != 1) {
            ReportError("中止したのでコピーしていません: " + results[i]->path);
            ++tally.stopped;
        }
    }
}

} // namespace

int CopyPhotos(CManageQELFileInfo& catalogue, const std::string& destination, MessageTarget* window,
               CopyTally* tally, const std::atomic<bool>* stop, const CopyOptions& options) {
    static const std::atomic<int> kAlwaysRunning{1};
    FileSystemSync sync(destination);
    CopyState state(destination, sync, options);
    const RecordList& results = catalogue.results;
    const int photos = photoCount(results);
    std::size_t photosDone = 0;
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (stop != nullptr && stop->load()) {
            ReportNotReached(results, i, state.tally);
            break;
        }
        QELFileInfo& entry = *results[i];
        if (entry.isFolder == 1) {
            MakeFolder(state, entry);
            continue;
        }
        CopyPhoto(state, entry);
        if (window != nullptr) {
            window->send({UM_COPY_PROGRESS, static_cast<WParam>(++photosDone),
                          static_cast<LParam>(photos), nullptr},
                         kAlwaysRunning);
        }
        state.verifier.checkWhenDue();
    }
    if (!results.empty()) {
        Finish(state);
    }
    if (tally != nullptr) {
        *tally = state.tally;
    }
    return 0;
}
