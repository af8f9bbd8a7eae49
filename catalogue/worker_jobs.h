#pragma once

#include "catalogue/left_on_card.h"
#include "catalogue/unread_folder.h"
#include "geocode/geocoding_service.h"
#include "platform/message_target.h"
#include "platform/window_messages.h"

#include <atomic>
#include <optional>
#include <string>
#include <system_error>
#include <thread>

class CManageQELFileInfo;

// Parameter block of the search worker. `running` is written by the UI thread and read by the
// worker between items; the worker clears it when it ends.
struct ScanJob {
    CManageQELFileInfo* catalogue = nullptr;
    std::string folder; // ends in '/'
    MessageTarget* window = nullptr;
    unsigned progressMessage = UM_SEARCH_PROGRESS;
    unsigned thumbMessage = UM_THUMB_PROGRESS;
    int foundCount = 0;
    std::atomic<int> running{0};
    // Set once the worker's body has returned: the thread can then be joined at once.
    std::atomic<bool> ended{true};
    // The walk gives each subfolder a block of its own; they all share the top block's flag
    // and report as the top block.
    ScanJob* root = nullptr;
    // Written by the walk into the top block only, read once the end of the walk is reported. In
    // the worker's own block, so that a worker left behind never writes into the next run's.
    LeftOnCard leftOnCard;
    UnreadFolders unreadFolders; // the same
};

// Parameter block of the analysis worker. Without a geocoding service no place is looked up.
struct AnalysisJob {
    CManageQELFileInfo* catalogue = nullptr;
    MessageTarget* window = nullptr;
    unsigned progressMessage = UM_EXIF_PROGRESS;
    unsigned geocodeStoppedMessage = UM_GEOCODE_STOPPED;
    std::optional<GeocodingService> geocoding;
    std::atomic<int> running{0};
    std::atomic<bool> ended{true};
};

// Runs `body` on `job` in a new thread held by `worker`, setting `job.ended` when it returns.
// Returns 0, or -1 (with the job's flag cleared) when no thread could be made.
template <typename Job> int StartWorker(std::thread& worker, int (*body)(Job*), Job& job) {
    job.ended = false;
    try {
        worker = std::thread([body, &job] {
            body(&job);
            job.ended = true;
        });
    } catch (const std::system_error&) {
        job.running = 0;
        job.ended = true;
        return -1;
    }
    return 0;
}
