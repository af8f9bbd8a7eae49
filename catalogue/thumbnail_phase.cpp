#include "catalogue/thumbnail_phase.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// How often a wait for the next photo in row order looks whether the phase was stopped: the
// flag is cleared by the UI thread, which does not wake this wait.
constexpr auto kStopLook = std::chrono::milliseconds(20);
constexpr unsigned kMostThreads = 8;

class Photos {
public:
    Photos(std::vector<QELFileInfo*> records, ThumbnailMaker maker, const ImageBox& box,
           const std::atomic<int>& running)
        : records_(std::move(records)), done_(records_.size(), false), maker_(maker), box_(box),
          running_(running) {}

    std::size_t size() const { return records_.size(); }
    QELFileInfo* record(std::size_t i) const { return records_[i]; }
    bool running() const { return running_.load() == 1; }

    // Makes the next photo nobody has begun; false when there is none or the phase is stopped.
    bool MakeNext() {
        if (!running()) {
            return false;
        }
        const std::size_t i = next_.fetch_add(1);
        if (i >= records_.size()) {
            return false;
        }
        maker_(records_[i], box_);
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            done_[i] = true;
        }
        madeOne_.notify_all();
        return true;
    }

    // Waits a while for photo i; true once it is done.
    bool WaitFor(std::size_t i) {
        std::unique_lock<std::mutex> lock(mutex_);
        return madeOne_.wait_for(lock, kStopLook, [&] { return done_[i]; });
    }

private:
    const std::vector<QELFileInfo*> records_;
    std::vector<bool> done_; // under mutex_
    ThumbnailMaker maker_;
    ImageBox box_;
    const std::atomic<int>& running_;
    std::atomic<std::size_t> next_{0};
    std::mutex mutex_;
    std::condition_variable madeOne_;
};

std::vector<QELFileInfo*> PhotoRows(const ListView& rows) {
    std::vector<QELFileInfo*> photos;
    const std::size_t count = rows.RowCount();
    for (std::size_t i = 0; i < count; ++i) {
        QELFileInfo* record = rows.RowRecord(i);
        if (record == nullptr) {
            break;
        }
        if (record->isFolder != 1) {
            photos.push_back(record);
        }
    }
    return photos;
}

} // namespace

void MakeThumbnailsInRowOrder(const ListView& rows, ThumbnailMaker maker, const ImageBox& box,
                              const std::atomic<int>& running, unsigned threads,
                              const std::function<void(QELFileInfo*)>& announce) {
    Photos photos(PhotoRows(rows), maker, box, running);
    // Declared after `photos`, so joined before it goes.
    std::vector<std::jthread> makers;
    for (unsigned i = 0; i < threads && i < photos.size(); ++i) {
        try {
            makers.emplace_back([&photos] {
                while (photos.MakeNext()) {
                }
            });
        } catch (const std::system_error&) {
            break;
        }
    }
    for (std::size_t i = 0; i < photos.size() && photos.running(); ++i) {
        bool done = false;
        while (!done && photos.running()) {
            done = makers.empty() ? photos.MakeNext() : photos.WaitFor(i);
        }
        if (done && photos.running()) {
            announce(photos.record(i));
        }
    }
}

unsigned ThumbnailThreads() {
    return std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads);
}
