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

struct LeftBehindWorker {
    std::thread thread;
    std::unique_ptr<ScanJob> scanJob;
    std::unique_ptr<AnalysisJob> analysisJob;
    bool ended() const;
};

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
    // On the heap, so that a worker left behind keeps its block while the next run has its own.
    std::unique_ptr<ScanJob> scanJob = std::make_unique<ScanJob>();
    std::unique_ptr<AnalysisJob> analysisJob = std::make_unique<AnalysisJob>();
    RowIcon photoIcon;
    RowIcon folderIcon;
    RowIcon level0Icon;
    RowIcon level1Icon;
    ThumbnailMaker thumbnailMaker = nullptr;
    std::thread scanThread;
    std::thread analysisThread;
    // Workers that had not ended when they were stopped (a read from a hung network mount cannot
    // be broken off), with their parameter blocks, and the records they might still touch: kept
    // until every one of them has ended.
    std::vector<LeftBehindWorker> leftBehind;
    RecordList leftBehindRecords;

    // Creates the lock and takes the two lists and the settings file. Returns 1.
    int initCatalogue(ListView* sourceRows, ListView* resultRows, const std::string& settingsPath);
    void destroyMutex();

private:
    std::unique_ptr<std::mutex> ownedMutex_;
};

// Creates one source record and files it in the source list and in `photos` or `folders`; a
// photo's companions are in place before a list can draw it.
int addRecord(CManageQELFileInfo& catalogue, const std::string& path, int isFolder, int level,
              std::vector<std::string> companions = {});

// The files the last search found below the source that will not be imported; to be read once
// the end of its walk has been reported.
const LeftOnCard& leftOnCard(const CManageQELFileInfo& catalogue);

// The folders the last search could not read, or read only in part, in walk order; to be read
// as `leftOnCard`.
const UnreadFolders& unreadFolders(const CManageQELFileInfo& catalogue);

// How long a stop waits for a worker to end before it leaves the worker behind: the protocol's
// 300 ms and a little more.
inline constexpr std::chrono::milliseconds kWorkerStopBound{500};

// Stops both workers: clears their flags, waits the protocol's 300 ms when one was running, and
// joins the threads and drops their queued messages. A worker that has not ended within
// `kWorkerStopBound` is left behind instead, and the catalogue gets a fresh block for its next
// run. Returns false when a worker, this one or one left behind earlier, is still running.
bool stopWorkers(CManageQELFileInfo& catalogue);

// The same with a bound of the caller's (exit), also for the workers left behind earlier; false
// when one of them has not ended, whose records must then never be freed.
bool stopWorkersWithin(CManageQELFileInfo& catalogue, std::chrono::milliseconds bound);

// The same for the analysis worker alone.
void stopAnalysis(CManageQELFileInfo& catalogue);

// Stops the workers, empties the source list and frees every source record, but for those a
// worker left behind might still touch: they are kept until it has ended. What the last search
// left on the card, and which folders it could not read, are forgotten too.
void clearSource(CManageQELFileInfo& catalogue);

// Frees every result record and empties the result list.
void clearResults(CManageQELFileInfo& catalogue);

// How many of `records` are photos, not folders.
int photoCount(const RecordList& records);
