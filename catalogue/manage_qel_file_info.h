#pragma once

#include "catalogue/list_view.h"
#include "catalogue/qel_file_info.h"
#include "catalogue/title_options.h"
#include "catalogue/worker_jobs.h"

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Makes the thumbnail of one photo record into the box; 1 when made. Called from several threads
// at once, each for its own record. The desktop program hands the OpenCV one to the catalogue;
// without one the scan makes no thumbnails.
using ThumbnailMaker = int (*)(QELFileInfo* record, const ImageBox& box);

using RecordList = std::vector<std::unique_ptr<QELFileInfo>>;

// The photo catalogue: owns every record of the source and result trees, the title options,
// the row icons, the thumbnail lock and the two worker threads with their parameter blocks.
class CManageQELFileInfo {
public:
    CManageQELFileInfo();
    ~CManageQELFileInfo();
    CManageQELFileInfo(const CManageQELFileInfo&) = delete;
    CManageQELFileInfo& operator=(const CManageQELFileInfo&) = delete;

    // Guards record thumbnails only: made by the search worker, drawn by the lists.
    std::mutex* mutex = nullptr;
    ListView* sourceList = nullptr;
    ListView* resultList = nullptr;
    TitleOptions options;
    RecordList photos;
    RecordList folders;
    RecordList results;
    ScanJob scanJob;
    AnalysisJob analysisJob;
    RowIcon photoIcon;
    RowIcon folderIcon;
    RowIcon level0Icon;
    RowIcon level1Icon;
    ThumbnailMaker thumbnailMaker = nullptr;
    std::thread scanThread;
    std::thread analysisThread;

    // Creates the lock and takes the two lists and the settings file. Returns 1.
    int initCatalogue(ListView* sourceRows, ListView* resultRows, const std::string& settingsPath);
    void destroyMutex();

private:
    std::unique_ptr<std::mutex> ownedMutex_;
};

// Creates one source record and files it in the source list and in `photos` or `folders`.
int addRecord(CManageQELFileInfo& catalogue, const std::string& path, int isFolder, int level);

// Stops both workers: clears their flags, waits the protocol's 300 ms when one was running,
// joins the threads and drops their queued messages. No record is then in use by a worker.
void stopWorkers(CManageQELFileInfo& catalogue);

// The same, but waits no longer than `bound` for the workers to end: false, with the threads
// left as they are, when one has not (a read from a network mount that hangs cannot be broken
// off); its records must then never be freed.
bool stopWorkersWithin(CManageQELFileInfo& catalogue, std::chrono::milliseconds bound);

// The same for the analysis worker alone.
void stopAnalysis(CManageQELFileInfo& catalogue);

// Stops the workers, frees every source record and empties the source list.
void clearSource(CManageQELFileInfo& catalogue);

// Frees every result record and empties the result list.
void clearResults(CManageQELFileInfo& catalogue);
