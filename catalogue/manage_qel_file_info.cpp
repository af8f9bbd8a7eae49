#include "catalogue/manage_qel_file_info.h"

#include <chrono>

namespace {

constexpr auto kStopWait = std::chrono::milliseconds(300);
constexpr auto kEndPoll = std::chrono::milliseconds(5);

std::string LastComponent(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void Join(std::thread& worker, MessageTarget* window, const void* job) {
    if (!worker.joinable()) {
        return;
    }
    worker.join();
    if (window != nullptr) {
        window->discard(job);
    }
}

void ClearFlagsAndWait(CManageQELFileInfo& catalogue) {
    const bool wasRunning = catalogue.scanJob.running.exchange(0) != 0;
    const bool analysing = catalogue.analysisJob.running.exchange(0) != 0;
    if (wasRunning || analysing) {
        std::this_thread::sleep_for(kStopWait);
    }
}

// The wait alone does not prove that a worker has left its records, nor that none of its
// messages is still queued with a record in it.
void JoinBoth(CManageQELFileInfo& catalogue) {
    Join(catalogue.scanThread, catalogue.scanJob.window, &catalogue.scanJob);
    Join(catalogue.analysisThread, catalogue.analysisJob.window, &catalogue.analysisJob);
}

} // namespace

CManageQELFileInfo::CManageQELFileInfo()
    : photoIcon{RowIconKind::Photo, 14, 16}, folderIcon{RowIconKind::Folder, 16, 14},
      level0Icon{RowIconKind::Level0Folder, 16, 14}, level1Icon{RowIconKind::Level1Folder, 16, 14} {
}

CManageQELFileInfo::~CManageQELFileInfo() {
    clearSource(*this);
    clearResults(*this);
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

int addRecord(CManageQELFileInfo& catalogue, const std::string& path, int isFolder, int level) {
    auto record = std::make_unique<QELFileInfo>();
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

void stopWorkers(CManageQELFileInfo& catalogue) {
    ClearFlagsAndWait(catalogue);
    JoinBoth(catalogue);
}

bool stopWorkersWithin(CManageQELFileInfo& catalogue, std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    ClearFlagsAndWait(catalogue);
    const auto ended = [&] { return catalogue.scanJob.ended && catalogue.analysisJob.ended; };
    while (!ended() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(kEndPoll);
    }
    if (!ended()) {
        return false;
    }
    JoinBoth(catalogue);
    return true;
}

void stopAnalysis(CManageQELFileInfo& catalogue) {
    if (catalogue.analysisJob.running.exchange(0) != 0) {
        std::this_thread::sleep_for(kStopWait);
    }
    Join(catalogue.analysisThread, catalogue.analysisJob.window, &catalogue.analysisJob);
}

void clearSource(CManageQELFileInfo& catalogue) {
    stopWorkers(catalogue);
    // Rows first, so that no list can draw a record that is already gone.
    if (catalogue.sourceList != nullptr) {
        catalogue.sourceList->RemoveAllRows();
    }
    catalogue.photos.clear();
    catalogue.folders.clear();
}

void clearResults(CManageQELFileInfo& catalogue) {
    if (catalogue.resultList != nullptr) {
        catalogue.resultList->RemoveAllRows();
    }
    catalogue.results.clear();
}
