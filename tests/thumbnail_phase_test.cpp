#include "catalogue/memory_list_view.h"
#include "catalogue/thumbnail_phase.h"

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

int TimedMaker(QELFileInfo* record, const ImageBox&) {
    ++gBusy;
    {
        const std::lock_guard<std::mutex> lock(gLock);
        gThreads.insert(std::this_thread::get_id());
    }
    if (record->level < 0) {
        const auto until = std::chrono::steady_clock::now() + 5s;
        while (gMade.load() == 0 && std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(1ms);
        }
        gOthersMadeMeanwhile = gMade.load() > 0;
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(record->level));
    }
    record->thumbReady = 1;
    ++gMade;
    --gBusy;
    return 1;
}

void Reset() {
    gThreads.clear();
    gMade = 0;
    gOthersMadeMeanwhile = false;
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
    std::vector<QELFileInfo*> announced;
    std::chrono::steady_clock::time_point stoppedAt;
    std::thread stopper([&] {
        std::this_thread::sleep_for(150ms);
        stoppedAt = std::chrono::steady_clock::now();
        running = 0;
    });
    MakeThumbnailsInRowOrder(rows.view, TimedMaker, kBox, running, 2,
                             [&](QELFileInfo* record) { announced.push_back(record); });
    const auto returnedAt = std::chrono::steady_clock::now();
    EXPECT_EQ(gBusy.load(), 0);
    stopper.join();
    EXPECT_LT(returnedAt - stoppedAt, 1s);
    EXPECT_LT(gMade.load(), static_cast<int>(rows.photos.size()));
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
