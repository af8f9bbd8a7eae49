#include "catalogue/memory_list_view.h"
#include "catalogue/thumbnail_phase.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

namespace {

using namespace std::chrono_literals;

constexpr ImageBox kBox{0, 0, 30, 30};

// Rows whose every fifth is a folder; a photo's `level` is how many milliseconds its thumbnail
// takes.
struct Rows {
    std::vector<std::unique_ptr<QELFileInfo>> records;
    MemoryListView view;
    std::vector<QELFileInfo*> photos;

    Rows(int count, int milliseconds) {
        for (int i = 0; i < count; ++i) {
            records.push_back(std::make_unique<QELFileInfo>());
            records.back()->isFolder = i % 5 == 0 ? 1 : 0;
            records.back()->level = milliseconds;
            view.AddRow(records.back().get());
            if (i % 5 != 0) {
                photos.push_back(records.back().get());
            }
        }
    }
};

std::mutex gLock;
std::set<std::thread::id> gThreads;
std::atomic<int> gMade{0};
std::atomic<int> gBusy{0};
// Set by the maker of a photo at level -1 when another photo was made while it waited.
std::atomic<bool> gOthersMadeMeanwhile{false};
// Cleared by the maker of the photo made as the `gStopAt`-th, which notes when.
std::atomic<int>* gRunning = nullptr;
int gStopAt = 0;
std::chrono::steady_clock::time_point gStoppedAt;

int TimedMaker(QELFileInfo* record, const ImageBox&) {
    ++gBusy;
    {
        const std::lock_guard<std::mutex> lock(gLock);
        gThreads.insert(std::this_thread::get_id());
    }
    if (record->level < 0) {
        gOthersMadeMeanwhile = WaitUntil([] { return gMade.load() > 0; });
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(record->level));
    }
    record->thumbReady = 1;
    if (++gMade == gStopAt) {
        gStoppedAt = std::chrono::steady_clock::now();
        *gRunning = 0;
    }
    --gBusy;
    return 1;
}

void Reset() {
    gThreads.clear();
    gMade = 0;
    gOthersMadeMeanwhile = false;
    gStopAt = 0;
}

} // namespace

TEST(ThumbnailPhase, makesPhotosSideBySideButAnnouncesEachInRowOrderOnceMade) {
    Reset();
    Rows rows(12, 2);
    rows.photos.front()->level = -1; // waits until another photo is made
    const std::atomic<int> running{1};
    std::vector<QELFileInfo*> announced;
    MakeThumbnailsInRowOrder(rows.view, TimedMaker, kBox, running, 2, [&](QELFileInfo* record) {
        EXPECT_EQ(record->thumbReady, 1);
        announced.push_back(record);
    });
    EXPECT_EQ(announced, rows.photos);
    EXPECT_TRUE(gOthersMadeMeanwhile);
    EXPECT_EQ(gThreads.count(std::this_thread::get_id()), 0u);
    EXPECT_EQ(gMade.load(), static_cast<int>(rows.photos.size()));
}

TEST(ThumbnailPhase, aClearedFlagStopsItWithinAPhotoWithEveryThreadJoined) {
    Reset();
    Rows rows(60, 40);
    std::atomic<int> running{1};
    gRunning = &running;
    gStopAt = 3;
    std::vector<QELFileInfo*> announced;
    MakeThumbnailsInRowOrder(rows.view, TimedMaker, kBox, running, 2,
                             [&](QELFileInfo* record) { announced.push_back(record); });
    const auto returnedAt = std::chrono::steady_clock::now();
    EXPECT_EQ(gBusy.load(), 0);
    EXPECT_LT(returnedAt - gStoppedAt, 5s);
    // The other thread ends the photo it had begun, and begins none.
    EXPECT_LE(gMade.load(), gStopAt + 1);
    ASSERT_LE(announced.size(), static_cast<std::size_t>(gMade.load()));
    EXPECT_TRUE(std::equal(announced.begin(), announced.end(), rows.photos.begin()));
}

TEST(ThumbnailPhase, withoutThreadsTheCallerMakesEachPhotoInTurn) {
    Reset();
    Rows rows(7, 0);
    const std::atomic<int> running{1};
    std::vector<QELFileInfo*> announced;
    MakeThumbnailsInRowOrder(rows.view, TimedMaker, kBox, running, 0, [&](QELFileInfo* record) {
        EXPECT_EQ(gMade.load(), static_cast<int>(announced.size()) + 1);
        announced.push_back(record);
    });
    EXPECT_EQ(announced, rows.photos);
    EXPECT_EQ(gThreads, std::set<std::thread::id>{std::this_thread::get_id()});
}
