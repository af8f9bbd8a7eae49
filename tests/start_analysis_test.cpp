#include "catalogue/manage_qel_file_info.h"
#include "platform/message_queue.h"
#include "tests/catalogue_fixture.h"
#include "tests/test_support.h"
#include "workflow/start_analysis.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace {

struct StartAnalysis : CatalogueFixture {};

double SecondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Stands in for the analysis pass: touches every source record until it is told to stop.
std::atomic<int> gAnalysisTouches{0};
std::atomic<int> gAnalysisEnded{0};
int TouchRecordsUntilStopped(AnalysisJob* job) {
    while (job->running.load() == 1) {
        for (const auto& photo : job->catalogue->photos) {
            photo->exifStatus = kExifStatusExifTime;
            ++gAnalysisTouches;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    gAnalysisEnded = 1;
    return 0;
}

// Stands in for an analysis stuck in a read from a hung network mount: deaf to its flag until the
// test opens the gate, it then writes to the record it was reading.
std::atomic<bool> gGateOpen{false};
std::atomic<bool> gStuck{false};
int StuckOnOnePhoto(AnalysisJob* job) {
    QELFileInfo* photo = job->catalogue->photos.front().get();
    gStuck = true;
    while (!gGateOpen) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    photo->exifStatus = kExifStatusExifTime;
    return 0;
}

} // namespace

TEST_F(StartAnalysis, clearingTheSourceStopsAnAnalysisRunningAloneBeforeFreeingRecords) {
    for (int i = 0; i < 50; ++i) {
        addRecord(catalogue, "/card/P" + std::to_string(i) + ".JPG", 0, 0);
    }
    MessageQueue window([](const WindowMessage&) {});
    gAnalysisTouches = 0;
    gAnalysisEnded = 0;
    ASSERT_EQ(startAnalysis(catalogue, &window, TouchRecordsUntilStopped), 0);
    ASSERT_TRUE(WaitUntil([] { return gAnalysisTouches.load() >= 100; }));
    const double seconds = SecondsOf([&] { clearSource(catalogue); });
    EXPECT_EQ(gAnalysisEnded.load(), 1);
    EXPECT_FALSE(catalogue.analysisThread.joinable());
    EXPECT_EQ(catalogue.analysisJob->running.load(), 0);
    EXPECT_TRUE(catalogue.photos.empty());
    EXPECT_GE(seconds, 0.3);
}

TEST_F(StartAnalysis, aNewAnalysisEndsTheRunningOneBeforeItStarts) {
    addRecord(catalogue, "/card/A.JPG", 0, 0);
    MessageQueue window([](const WindowMessage&) {});
    gAnalysisEnded = 0;
    ASSERT_EQ(startAnalysis(catalogue, &window, TouchRecordsUntilStopped), 0);
    ASSERT_EQ(startAnalysis(catalogue, &window, TouchRecordsUntilStopped), 0);
    EXPECT_EQ(gAnalysisEnded.load(), 1);
    EXPECT_EQ(catalogue.analysisJob->running.load(), 1);
    gAnalysisEnded = 0;
    clearSource(catalogue);
    EXPECT_EQ(gAnalysisEnded.load(), 1);
}

TEST_F(StartAnalysis, aWorkerThatCannotStopIsLeftBehindWithTheRecordsItMayStillTouch) {
    addRecord(catalogue, "/card/A.JPG", 0, 0);
    MessageQueue window([](const WindowMessage&) {});
    gGateOpen = false;
    gStuck = false;
    ASSERT_EQ(startAnalysis(catalogue, &window, StuckOnOnePhoto), 0);
    ASSERT_TRUE(WaitUntil([] { return gStuck.load(); }));
    // Should the clearing wait for the worker, the watchdog is what ends the wait.
    std::atomic<bool> openedByWatchdog{false};
    std::thread watchdog([&] {
        for (int i = 0; i < 600 && !gGateOpen; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        openedByWatchdog = !gGateOpen.exchange(true);
    });
    clearSource(catalogue);
    const bool returnedWhileStuck = !gGateOpen;
    EXPECT_TRUE(catalogue.photos.empty());
    EXPECT_EQ(sourceRows.RowCount(), 0u);
    EXPECT_EQ(catalogue.leftBehind.size(), 1u);
    EXPECT_EQ(catalogue.leftBehindRecords.size(), 1u) << "its record stays for it";
    EXPECT_FALSE(stopWorkersWithin(catalogue, std::chrono::milliseconds(50)))
        << "exit must not free what it uses";
    // The next run has a block of its own and starts at once.
    addRecord(catalogue, "/card/B.JPG", 0, 0);
    gAnalysisEnded = 0;
    ASSERT_EQ(startAnalysis(catalogue, &window, TouchRecordsUntilStopped), 0);
    EXPECT_EQ(catalogue.analysisJob->running.load(), 1);

    gGateOpen = true;
    watchdog.join();
    EXPECT_TRUE(returnedWhileStuck && !openedByWatchdog) << "the clearing waited for the worker";
    ASSERT_TRUE(WaitUntil([&] { return catalogue.leftBehind.front().ended(); }));
    clearSource(catalogue);
    EXPECT_EQ(gAnalysisEnded.load(), 1);
    EXPECT_TRUE(catalogue.leftBehind.empty());
    EXPECT_TRUE(catalogue.leftBehindRecords.empty());
}
