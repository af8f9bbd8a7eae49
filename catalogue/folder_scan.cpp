#include "catalogue/folder_scan.h"

#include "catalogue/companion_files.h"
#include "catalogue/thumbnail_phase.h"
#include "platform/ascii_case.h"
#include "platform/directory_entries.h"
#include "platform/hidden.h"

#include <algorithm>
#include <cerrno>
#include <set>
#include <vector>

namespace {

constexpr ImageBox kThumbnailBox{0, 0, 30, 30};

void Post(const ScanJob& job, unsigned id, WParam wParam, LParam lParam) {
    if (job.window != nullptr) {
        job.window->post({id, wParam, lParam, job.root});
    }
}

void Send(ScanJob& job, LParam record) {
    if (job.window != nullptr) {
        job.window->send({job.thumbMessage, 0, record, job.root}, job.root->running);
    }
}

// Name order as the Windows file systems gave it: letters in either case alike, then bytes.
bool InNameOrder(const DirectoryEntry& a, const DirectoryEntry& b) {
    const auto folded = [](char c) { return static_cast<unsigned char>(AsciiUpper(c)); };
    const bool before =
        std::lexicographical_compare(a.name.begin(), a.name.end(), b.name.begin(), b.name.end(),
                                     [&](char x, char y) { return folded(x) < folded(y); });
    const bool after =
        std::lexicographical_compare(b.name.begin(), b.name.end(), a.name.begin(), a.name.end(),
                                     [&](char x, char y) { return folded(x) < folded(y); });
    return before || (!after && a.name < b.name);
}

// The entries are read before anything below them is walked, so a deep tree does not hold a
// directory handle open per level. 0, or the errno of a listing that failed (what came before
// the failure is kept).
int ReadFolder(const std::string& folder, std::vector<DirectoryEntry>& entries) {
    const int error =
        ListDirectory(folder, [&](const DirectoryEntry& entry) { entries.push_back(entry); });
    std::sort(entries.begin(), entries.end(), InNameOrder);
    return error;
}

// Every folder entered so far: one reached again through a link, a loop or a sibling's, would
// file its photos twice.
using Entered = std::set<FileIdentity>;

// A walk over a slow or hung network mount must not hold up a new search or the program's end
// for longer than the folder at hand takes.
bool Stopped(const ScanJob& job) {
    return job.root->running.load() == 0;
}

// A hidden folder is not imported, but the photos in it, and in the folders below it, stay on the
// card: counted, not filed. No link is followed, so nothing outside is counted as hidden. A folder
// of it that cannot be read is not told: it was hidden on purpose, and its photos would not have
// been imported either way.
void CountHiddenPhotos(ScanJob& job, const DirectoryEntry& folder, Entered& entered) {
    FileIdentity identity;
    if (folder.isLink || Stopped(job) || !QueryFileIdentity(folder.fullPath, identity) ||
        !entered.insert(identity).second) {
        return;
    }
    std::vector<DirectoryEntry> entries;
    ReadFolder(folder.fullPath + "/", entries);
    for (const DirectoryEntry& entry : entries) {
        if (entry.isDirectory) {
            CountHiddenPhotos(job, entry, entered);
        } else if (!entry.isLink && IsPhotoName(entry.name)) {
            job.root->leftOnCard.add(LeftKind::HiddenPhoto, entry.fullPath);
        }
    }
}

void Walk(ScanJob& job, int level, Entered& entered);

void WalkSubfolder(ScanJob& job, const DirectoryEntry& entry, int level, Entered& entered) {
    addRecord(*job.catalogue, entry.fullPath, 1, level);
    FileIdentity identity;
    if (!QueryFileIdentity(entry.fullPath, identity)) {
        job.root->unreadFolders.push_back({entry.fullPath + "/", errno});
        return;
    }
    if (!entered.insert(identity).second) {
        return;
    }
    ScanJob sub;
    sub.catalogue = job.catalogue;
    sub.window = job.window;
    sub.progressMessage = job.progressMessage;
    sub.thumbMessage = job.thumbMessage;
    sub.root = job.root;
    sub.folder = entry.fullPath + "/";
    sub.foundCount = job.foundCount;
    Walk(sub, level + 1, entered);
    job.foundCount = sub.foundCount;
}

// The names whose `.hidden` test is due: only a folder with subfolders has its list read.
std::vector<std::string> SubfolderNames(const std::vector<DirectoryEntry>& entries) {
    std::vector<std::string> names;
    for (const DirectoryEntry& entry : entries) {
        if (entry.isDirectory) {
            names.push_back(entry.name);
        }
    }
    return names;
}

void Walk(ScanJob& job, int level, Entered& entered) {
    if (Stopped(job)) {
        return;
    }
    std::vector<DirectoryEntry> entries;
    if (const int error = ReadFolder(job.folder, entries); error != 0) {
        job.root->unreadFolders.push_back({job.folder, error});
    }
    FolderCompanions companions = FindCompanions(entries);
    const HiddenNames hidden(job.folder, SubfolderNames(entries));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const DirectoryEntry& entry = entries[i];
        if (entry.isDirectory) {
            if (Stopped(job)) {
                return;
            }
            if (hidden.hides(entry.name)) {
                CountHiddenPhotos(job, entry, entered);
            } else {
                WalkSubfolder(job, entry, level, entered);
            }
        } else if (IsPhotoName(entry.name)) {
            // A listing that hung may return long after a stop: the catalogue is then another's.
            if (Stopped(job)) {
                return;
            }
            addRecord(*job.catalogue, entry.fullPath, 0, level, std::move(companions.ofPhoto[i]));
            ++job.foundCount;
            Post(job, job.progressMessage, static_cast<WParam>(job.foundCount), 0);
        } else if (!companions.isCompanion[i] && !IsHousekeepingName(entry.name)) {
            job.root->leftOnCard.add(LeftKindOf(entry.name), entry.fullPath);
        }
    }
}

// On every core, each photo announced in row order.
void MakeThumbnails(ScanJob& job) {
    CManageQELFileInfo& catalogue = *job.catalogue;
    ListView* rows = catalogue.sourceList;
    if (catalogue.thumbnailMaker == nullptr || rows == nullptr) {
        return;
    }
    MakeThumbnailsInRowOrder(*rows, catalogue.thumbnailMaker, kThumbnailBox, job.running,
                             ThumbnailThreads(), [&](QELFileInfo* record) {
                                 Send(job, reinterpret_cast<LParam>(record));
                                 rows->Invalidate();
                             });
}

} // namespace

bool IsPhotoName(const std::string& name) {
    static constexpr char kSuffix[] = ".JPG";
    if (name.size() < kPhotoExtensionLength) {
        return false;
    }
    for (std::size_t i = 0; i < kPhotoExtensionLength; ++i) {
        if (AsciiUpper(name[name.size() - kPhotoExtensionLength + i]) != kSuffix[i]) {
            return false;
        }
    }
    return true;
}

int scanFolder(ScanJob& job, int level) {
    if (job.root == nullptr) {
        job.root = &job;
    }
    Entered entered;
    FileIdentity top;
    if (QueryFileIdentity(job.folder, top)) {
        entered.insert(top);
    }
    Walk(job, level, entered);
    return 0;
}

int SearchWorker(ScanJob* job) {
    scanFolder(*job, 0);
    // Once stopped, the worker may have been left behind: nothing of the catalogue is its own.
    if (!Stopped(*job)) {
        Post(*job, job->progressMessage, 0, 1);
        MakeThumbnails(*job);
    }
    if (!Stopped(*job)) {
        Send(*job, 0);
    }
    job->running = 0;
    return 0;
}

int startSearch(CManageQELFileInfo& catalogue, const std::string& folder, MessageTarget* window) {
    clearSource(catalogue);
    clearResults(catalogue);
    ScanJob& job = *catalogue.scanJob;
    job.catalogue = &catalogue;
    job.folder = folder;
    job.window = window;
    job.progressMessage = UM_SEARCH_PROGRESS;
    job.thumbMessage = UM_THUMB_PROGRESS;
    job.root = &job;
    job.foundCount = 0;
    job.running = 1;
    return StartWorker(catalogue.scanThread, SearchWorker, job);
}
