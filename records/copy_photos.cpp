#include "records/copy_photos.h"

#include "platform/descriptor.h"
#include "platform/destination_root.h"
#include "platform/error_report.h"
#include "platform/error_text.h"
#include "platform/file_system_seam.h"
#include "platform/hidden.h"
#include "platform/make_directories.h"
#include "platform/safe_copy.h"
#include "platform/temporary_file.h"
#include "platform/window_messages.h"
#include "records/copy_verifier.h"
#include "records/library_index.h"
#include "records/path_component.h"
#include "records/photo_group.h"
#include "records/place_companions.h"
#include "records/place_file.h"
#include "records/record_paths.h"
#include "records/record_writer.h"

#include <cerrno>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A title folder is made when the first photo that goes into it comes: one whose photos all lie
// elsewhere already is never made.
struct PendingFolder {
    QELFileInfo* entry = nullptr;
    std::string parent;
    bool tried = false;
};

struct CopyState {
    CopyState(const DestinationRoot& root, FileSystemSync& sync, const CopyOptions& options)
        : root(root), destination(root.path()), hidden(root.fd()), library(destination),
          verifier(sync, options.verify, root) {}

    const DestinationRoot& root;
    std::string destination;
    bool gone = false;   // the destination is no longer the folder the pass opened
    std::string folder1; // the current year folder's component
    std::string folder2; // the current day folder's component
    PendingFolder year;
    PendingFolder day;
    std::set<std::string> cleaned;
    std::set<std::string> hiddenKinds;
    HiddenBatch hidden;
    LibraryIndex library;
    CopyTally tally;
    CopyVerifier verifier;
};

void Report(const std::string& what, const std::string& about, int error) {
    ReportError(what + ": " + about + ": " + ErrorText(error));
}

// Temporaries that a killed run left go the first time the pass writes into their folder.
void Clean(CopyState& state, const std::string& folder) {
    if (state.cleaned.insert(folder).second) {
        RemoveStaleTemporaries(state.root.at(folder));
    }
}

// The lists draw an entry's title under the catalogue's lock, and the pass may run on a thread of
// its own.
void PutInPlace(QELFileInfo& entry, const std::string& title, std::string path) {
    const auto lock = LockRecord(entry);
    entry.title = title;
    entry.path = std::move(path);
}

// Hidden as soon as it is there, not at the end of the pass: a killed run must not leave it
// showing as a folder. Its records' names can wait for the folder's one rewrite at the end.
void MakeKindDirectory(CopyState& state, const std::string& kind) {
    if (!state.hiddenKinds.insert(kind).second || MakeDirectories(state.root.at(kind + "/")) != 1) {
        return;
    }
    if (!AddHidden(state.root.at(kind))) {
        Report("隠しファイルの一覧を書けませんでした", FolderPart(kind) + ".hidden", errno);
        ++state.tally.otherFailures;
    }
}

// Writes the entry's record beside it; false when it could not be (the writer has said so).
bool Record(CopyState& state, const std::string& parent, QELFileInfo& entry) {
    const std::string kind = parent + RecordKindDirectory(entry);
    Clean(state, parent);
    Clean(state, kind + "/");
    MakeKindDirectory(state, kind);
    const int written = entry.isFolder == 1 ? WriteFolderRecord(entry, &state.hidden, state.root)
                                            : WritePhotoRecord(entry, &state.hidden, state.root);
    return written == 0;
}

void MakeFolder(CopyState& state, PendingFolder& folder) {
    if (folder.entry == nullptr || folder.tried) {
        return;
    }
    folder.tried = true;
    if (MakeDirectories(state.root.at(folder.entry->path + "/")) != 1) {
        Report("フォルダを作成できませんでした", folder.entry->path, errno);
        ++state.tally.otherFailures;
        return;
    }
    if (!Record(state, folder.parent, *folder.entry)) {
        ++state.tally.otherFailures;
    }
}

// The photo opened for its copy, as it is now.
struct Source {
    explicit Source(const std::string& path) : fd(OpenCopySource(path, status)) {}
    struct stat status {};
    Descriptor fd;
};

// Copies the photo under the first stem its group can take, or finds it there already.
FilePlaced CopyUnderFreeStem(const CopyState& state, const std::string& folder,
                             const std::string& title, const PhotoGroup& group,
                             const Source& source, std::optional<StemChoice>& stem) {
    while (stem) {
        if (stem->photoThere) {
            return FilePlaced::AlreadyThere;
        }
        const FilePlaced placed = PlaceOpenedFile(group.photo, source.fd.get(), source.status,
                                                  state.root.at(folder + stem->name));
        if (placed != FilePlaced::Taken) {
            return placed;
        }
        // Taken meanwhile.
        stem = ChooseStem(state.root, folder, title, group, stem->number + 1);
    }
    errno = EEXIST;
    return FilePlaced::Failed;
}

// The photo lies at `place` already, under a name or in a folder of the user's: it stays as it
// is there, with its record, and only its companions that are not beside it yet are copied.
void KeepWhereItLies(CopyState& state, QELFileInfo& entry, const PhotoGroup& group,
                     const std::string& place) {
    const std::size_t slash = place.rfind('/');
    const std::string folder = place.substr(0, slash + 1);
    const std::string name = place.substr(slash + 1);
    PutInPlace(entry, name, place);
    if (!group.companions.empty()) {
        Clean(state, folder);
        PlaceCompanions(group, folder, name, entry, state.tally, state.verifier, state.root);
    }
    ++state.tally.skipped;
    ++state.tally.elsewhere;
}

// A copy that read back other bytes is gone: so is its record, and the entry names its source and
// its companions' again, so that a later pass copies the group anew.
void TakeBack(CopyState& state, QELFileInfo& entry, const std::string& record,
              const PhotoGroup& group, const std::string& title, bool renamed) {
    if (RemoveFileAt(state.root.at(record)) != 0 && errno != ENOENT) {
        Report("記録ファイルを消せませんでした", record, errno);
    }
    CopyTally& tally = state.tally;
    --tally.copied;
    ++tally.failed;
    tally.renamed -= renamed ? 1 : 0;
    tally.fileDated -= DatedByFileTime(entry) ? 1 : 0;
    PutInPlace(entry, title, group.photo);
    const auto lock = LockRecord(entry);
    entry.companions = group.companions;
}

void CopyPhoto(CopyState& state, QELFileInfo& entry) {
    const std::string folder = state.destination + state.folder1 + "/" + state.folder2 + "/";
    std::string title = PathComponent(entry.title, ComponentOf::Photo);
    if (title.empty()) { // no title, or nothing of one that a name can hold: the photo's own name
        title = PathComponent(entry.orgTitleFileName, ComponentOf::Photo);
    }
    const PhotoGroup group = GroupOf(entry);
    std::optional<StemChoice> stem = ChooseStem(state.root, folder, title, group, 0);
    CopyTally& tally = state.tally;
    const int fileDated = DatedByFileTime(entry) ? 1 : 0;
    if (stem && !stem->photoThere) {
        const std::string place = state.library.find(entry);
        if (!place.empty()) {
            KeepWhereItLies(state, entry, group, place);
            tally.fileDated += fileDated;
            return;
        }
    }
    // Opened before its folders are made: a photo that cannot be copied leaves no empty folder.
    // One changed since STEP3 read it may bear another photo's title and date now.
    const Source source(group.photo);
    if (source.fd.get() < 0 || ChangedSinceMeasured(entry, source.status)) {
        const int error = errno;
        if (source.fd.get() < 0) {
            Report("写真をコピーできませんでした",
                   entry.path + " → " + folder + (stem ? stem->name : title), error);
        } else {
            ReportError("読み込んだあとで写真が変わったのでコピーしていません: " + entry.path);
        }
        ++tally.failed;
        ReportCompanionsLeft(group, tally);
        return;
    }
    MakeFolder(state, state.year);
    MakeFolder(state, state.day);
    const FilePlaced placed = CopyUnderFreeStem(state, folder, title, group, source, stem);
    const int error = errno;
    if (placed == FilePlaced::Failed) {
        // The entry keeps its source, so that the next pass tries again.
        Report("写真をコピーできませんでした",
               entry.path + " → " + folder + (stem ? stem->name : title), error);
        ++tally.failed;
        ReportCompanionsLeft(group, tally);
        return;
    }
    tally.fileDated += fileDated;
    const std::string cardTitle = entry.title;
    PutInPlace(entry, stem->name, folder + stem->name);
    PlaceCompanions(group, folder, stem->name, entry, tally, state.verifier, state.root);
    if (!Record(state, folder, entry)) {
        ++tally.failed;
    } else if (placed == FilePlaced::AlreadyThere) {
        ++tally.skipped;
    } else {
        const bool renamed = stem->number != 0;
        ++tally.copied;
        tally.renamed += renamed ? 1 : 0;
        state.verifier.add(
            group.photo, entry.path,
            [&state, &entry, record = PhotoRecordPath(folder, stem->name), group, cardTitle,
             renamed] { TakeBack(state, entry, record, group, cardTitle, renamed); });
    }
}

// The folder's title and path are put in place at once; the folder is made with its first photo.
void TakeFolder(CopyState& state, QELFileInfo& entry) {
    std::string parent = state.destination;
    std::string& component = entry.level == 0 ? state.folder1 : state.folder2;
    if (entry.level != 0) {
        parent += state.folder1 + "/";
    } else {
        state.day = {};
    }
    component = PathComponent(entry.title, ComponentOf::Folder);
    PutInPlace(entry, component, parent + component);
    (entry.level == 0 ? state.year : state.day) = {&entry, parent, false};
}

// Looked at before every photo, cheaply: once the destination is removed, renamed or unmounted,
// nothing more goes into it, and nothing is made at its path.
bool DestinationGone(CopyState& state) {
    if (!state.gone && !state.root.stillThere()) {
        ReportError("コピー先のフォルダがなくなりました: " + state.destination);
        state.gone = true;
    }
    return state.gone;
}

// Cards are formatted after an import: a copy counts only once it is known to be on disk, and
// has been read back from it.
void Finish(CopyState& state) {
    CopyTally& tally = state.tally;
    const bool gone = DestinationGone(state);
    for (const HiddenBatch::Unwritten& list : state.hidden.flush()) {
        // A list whose folder went with the destination is no failure of its own: the destination
        // gone is told, and every photo it took along.
        if (gone && list.error == ENOENT) {
            continue;
        }
        Report("隠しファイルの一覧を書けませんでした", state.destination + list.list, list.error);
        ++tally.otherFailures;
    }
    if (!state.verifier.finish()) {
        Report("コピーがディスクに書き込まれたことを確かめられませんでした", state.destination,
               errno);
        tally.failed += tally.copied;
        tally.copied = 0;
        tally.renamed = 0;
        tally.companionsFailed += tally.companionsCopied;
        tally.companionsCopied = 0;
    }
}

// A photo the pass does not copy, its destination gone, keeps its source path as a photo not
// reached does.
void FailWithoutDestination(const QELFileInfo& entry, CopyTally& tally) {
    ReportError("コピー先のフォルダがないのでコピーしていません: " + entry.path);
    ++tally.failed;
    ReportCompanionsLeft(GroupOf(entry), tally);
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
    const DestinationRoot root(destination);
    const int openError = errno;
    FileSystemSync sync(root.fd());
    CopyState state(root, sync, options);
    // Made before the pass, when the folder was chosen: a folder missing now is not made anew.
    if (!root.ok()) {
        Report("コピー先のフォルダを開けませんでした", destination, openError);
        state.gone = true;
    }
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
            TakeFolder(state, entry);
            continue;
        }
        if (DestinationGone(state)) {
            FailWithoutDestination(entry, state.tally);
        } else {
            CopyPhoto(state, entry);
        }
        ++photosDone;
        if (window != nullptr) {
            window->send({UM_COPY_PROGRESS, static_cast<WParam>(photosDone),
                          static_cast<LParam>(photos), nullptr},
                         kAlwaysRunning);
        }
        PhotoDoneInto(destination, static_cast<int>(photosDone));
        state.verifier.checkWhenDue();
    }
    if (!results.empty() && root.ok()) {
        Finish(state);
    }
    if (tally != nullptr) {
        *tally = state.tally;
    }
    return 0;
}
