#pragma once

#include "catalogue/manage_qel_file_info.h"
#include "records/copy_photos.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// What became of one STEP6: the tally of the photos and every failure as it was reported, in
// order.
struct CopyOutcome {
    CopyTally tally;
    std::vector<std::string> failures;
};

// The copy pass STEP6 runs: CopyPhotos unless a test puts another in. It ends after the entry at
// hand once `stop` turns true.
using CopyPass = std::function<CopyTally(CManageQELFileInfo& catalogue,
                                         const std::string& destination, const CopyOptions& options,
                                         MessageTarget* window, const std::atomic<bool>& stop)>;

CopyTally RunCopyPhotos(CManageQELFileInfo& catalogue, const std::string& destination,
                        const CopyOptions& options, MessageTarget* window,
                        const std::atomic<bool>& stop);

// STEP6 on a thread of its own, so that the window goes on painting, moving its bar and answering
// the desktop while photos are copied and synced. The pass's progress reaches the window at most
// every 50 ms (its first and last message always), its newest value within 50 ms; its failures are
// gathered for one report instead of being shown one by one; UM_COPY_DONE is posted when it has
// ended. A pass asked to stop ends after the photo it is copying: a copy ends with everything it
// made on disk.
class CopyRun {
public:
    CopyRun();
    ~CopyRun();
    CopyRun(const CopyRun&) = delete;
    CopyRun& operator=(const CopyRun&) = delete;

    // UI thread. False when no thread could be made; nothing has been done then.
    bool start(CManageQELFileInfo& catalogue, const std::string& destination,
               const CopyOptions& options, MessageTarget& window, CopyPass pass);
    bool started() const { return thread_.joinable(); }
    // UI thread: 中止. The pass ends after the entry at hand.
    void stop() { stop_ = true; }
    // UI thread: waits for the pass to end (at once after UM_COPY_DONE) and hands over what
    // became of it.
    CopyOutcome finish();

private:
    class ThrottledProgress;

    std::unique_ptr<ThrottledProgress> progress_;
    MessageTarget* window_ = nullptr;
    CopyOutcome outcome_; // written by the pass's thread until it is joined
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
