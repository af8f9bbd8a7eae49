#include "catalogue/manage_qel_file_info.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <iterator>

namespace {

constexpr auto kStopWait = std::chrono::milliseconds(300);
constexpr auto kEndPoll = std::chrono::milliseconds(5);

std::string LastComponent(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

template <typename Job> void Join(std::thread& worker, const Job& job) {
    if (!worker.joinable()) {
        return;
    }
    worker.join();
    if (job.window != nullptr) {
        job.window->discard(&job);
    }
}

// The wait alone does not prove that a worker has left its records, nor that none of its
// messages is still queued with a record in it.
void JoinBoth(CManageQELFileInfo& catalogue) {
    Join(catalogue.scanThread, *catalogue.scanJob);
    Join(catalogue.analysisThread, *catalogue.analysisJob);
}

void ClearFlagsAndWait(CManageQELFileInfo& catalogue) {
    const bool wasRunning = catalogue.scanJob->running.exchange(0) != 0;
    const bool analysing = catalogue.analysisJob->running.exchange(0) != 0;
    if (wasRunning || analysing) {
        std::this_thread::sleep_for(kStopWait);
    }
}

bool WaitUntil(const std::function<bool()>& ended, std::chrono::steady_clock::time_point deadline) {
    while (!ended() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(kEndPoll);
    }
    return ended();
}

bool AllLeftBehindEnded(const CManageQELFileInfo& catalogue) {
    return std::all_of(catalogue.leftBehind.begin(), catalogue.leftBehind.end(),
                       [](const LeftBehindWorker& worker) { return worker.ended(); });
}

// Its queued messages go now; those it may still post are not from the catalogue's block, which
// the window tells apart.
template <typename Job>
void LeaveBehind(CManageQELFileInfo& catalogue, std::thread& thread, std::unique_ptr<Job>& job,
                 std::unique_ptr<Job> LeftBehindWorker::*slot) {
    if (job->window != nullptr) {
        job->window->discard(job.get());
    }
    LeftBehindWorker worker;
    worker.thread = std::move(thread);
    worker.*slot = std::move(job);
    job = std::make_unique<Job>();
    catalogue.leftBehind.push_back(std::move(worker));
}

template <typename Job> void Discard(const std::unique_ptr<Job>& job) {
    if (job && job->window != nullptr) {
        job->window->discard(job.get());
    }
}

// Joins the workers left behind that have ended since; the records kept for them go once none
// is left. True when none is.
bool ReapLeftBehind(CManageQELFileInfo& catalogue) {
    std::erase_if(catalogue.leftBehind, [](LeftBehindWorker& worker) {
        if (!worker.ended()) {
            return false;
        }
        worker.thread.join();
        // Before the block is freed: a new block at its address must not receive its messages.
        Discard(worker.scanJob);
        Discard(worker.analysisJob);
        return true;
    });
    if (catalogue.leftBehind.empty()) {
        catalogue.leftBehindRecords.clear();
    }
    return catalogue.leftBehind.empty();
}

} // namespace

CManageQELFileInfo::CManageQELFileInfo()
    : photoIcon{RowIconKind::Photo, 14, 16}, folderIcon{RowIconKind::Folder, 16, 14},
      level0Icon{RowIconKind::Level0Folder, 16, 14}, level1Icon{RowIconKind::Level1Folder, 16, 14} {
}

CManageQELFileInfo::~CManageQELFileInfo() {
    clearSource(*this);
    clearResults(*this);
    // A worker still stuck keeps what it uses for as long as the process lives.
    for (LeftBehindWorker& worker : leftBehind) {
        worker.thread.detach();
        (void)worker.scanJob.release();
        (void)worker.analysisJob.release();
    }
    if (!leftBehind.empty()) {
        for (auto& record : leftBehindRecords) {
            (void)record.release();
        }
        (void)ownedMutex_.release();
    }
}

bool LeftBehindWorker::ended() const {
    return (!scanJob || scanJob->ended) && (!analysisJob || analysisJob->ended);
}

int CManageQELFileInfo::initCatalogue(ListView* sourceRows, ListView* resultRows,
                                      const std::string& settingsPath) {
    ownedMutex_ = std::make_unique<std::mutex>();
    mutex = ownedMutex_.get();
    sourceList = sourceRows;
    resultList = resultRows;
    options.settingsPath = settingsPath;
    return 1;
}

void CManageQELFileInfo::destroyMutex() {
    mutex = nullptr;
    ownedMutex_.reset();
}

int addRecord(CManageQELFileInfo& catalogue, const std::string& path, int isFolder, int level,
              std::vector<std::string> companions) {
    auto record = std::make_unique<QELFileInfo>();
    record->companions = std::move(companions);
    record->isFolder = isFolder;
    record->level = level;
    record->path = path;
    record->name = LastComponent(path);
    record->title = record->name;
    record->mutex = catalogue.mutex;
    record->backColor = isFolder ? kSourceFolderColor : kPhotoColor;
    record->icon = isFolder ? &catalogue.folderIcon : &catalogue.photoIcon;
    if (catalogue.sourceList != nullptr) {
        catalogue.sourceList->AddRow(record.get());
    }
    (isFolder ? catalogue.folders : catalogue.photos).push_back(std::move(record));
    return 0;
}

bool stopWorkers(CManageQELFileInfo& catalogue) {
    const auto deadline = std::chrono::steady_clock::now() + kWorkerStopBound;
    ClearFlagsAndWait(catalogue);
    WaitUntil([&] { return catalogue.scanJob->ended && catalogue.analysisJob->ended; }, deadline);
    if (catalogue.scanJob->ended) {
        Join(catalogue.scanThread, *catalogue.scanJob);
    } else {
        LeaveBehind(catalogue, catalogue.scanThread, catalogue.scanJob, &LeftBehindWorker::scanJob);
    }
    if (catalogue.analysisJob->ended) {
        Join(catalogue.analysisThread, *catalogue.analysisJob);
    } else {
        LeaveBehind(catalogue, catalogue.analysisThread, catalogue.analysisJob,
                    &LeftBehindWorker::analysisJob);
    }
    return ReapLeftBehind(catalogue);
}

bool stopWorkersWithin(CManageQELFileInfo& catalogue, std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    ClearFlagsAndWait(catalogue);
    const bool ended = WaitUntil(
        [&] {
            return catalogue.scanJob->ended && catalogue.analysisJob->ended &&
                   AllLeftBehindEnded(catalogue);
        },
        deadline);
    if (!ended) {
        return false;
    }
    JoinBoth(catalogue);
    return ReapLeftBehind(catalogue);
}

void stopAnalysis(CManageQELFileInfo& catalogue) {
    const auto deadline = std::chrono::steady_clock::now() + kWorkerStopBound;
    AnalysisJob& job = *catalogue.analysisJob;
    if (job.running.exchange(0) != 0) {
        std::this_thread::sleep_for(kStopWait);
    }
    if (WaitUntil([&] { return job.ended.load(); }, deadline)) {
        Join(catalogue.analysisThread, job);
    } else {
        LeaveBehind(catalogue, catalogue.analysisThread, catalogue.analysisJob,
                    &LeftBehindWorker::analysisJob);
    }
    ReapLeftBehind(catalogue);
}

const LeftOnCard& leftOnCard(const CManageQELFileInfo& catalogue) {
    return catalogue.scanJob->leftOnCard;
}

const UnreadFolders& unreadFolders(const CManageQELFileInfo& catalogue) {
    return catalogue.scanJob->unreadFolders;
}

void clearSource(CManageQELFileInfo& catalogue) {
    const bool allEnded = stopWorkers(catalogue);
    catalogue.scanJob->leftOnCard.clear();
    catalogue.scanJob->unreadFolders.clear();
    // Rows first, so that no list can draw a record that is already gone.
    if (catalogue.sourceList != nullptr) {
        catalogue.sourceList->RemoveAllRows();
    }
    if (allEnded) {
        catalogue.photos.clear();
        catalogue.folders.clear();
        return;
    }
    for (RecordList* records : {&catalogue.photos, &catalogue.folders}) {
        std::move(records->begin(), records->end(),
                  std::back_inserter(catalogue.leftBehindRecords));
        records->clear();
    }
}

void clearResults(CManageQELFileInfo& catalogue) {
    if (catalogue.resultList != nullptr) {
        catalogue.resultList->RemoveAllRows();
    }
    catalogue.results.clear();
}

int photoCount(const RecordList& records) {
    int photos = 0;
    for (const auto& record : records) {
        photos += record->isFolder == 1 ? 0 : 1;
    }
    return photos;
}
