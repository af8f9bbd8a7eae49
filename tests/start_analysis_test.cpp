#include "catalogue/manage_qel_file_info.h"
#include "catalogue/memory_list_view.h"
#include "platform/message_queue.h"
#include "workflow/start_analysis.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace {

struct StartAnalysis : ::testing::Test {
    MemoryListView sourceRows;
    MemoryListView resultRows;
    CManageQELFileInfo catalogue;

    void SetUp() override { catalogue.initCatalogue(&sourceRows, &resultRows, "/tmp/x.Ini"); }
};

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

} // namespace

TEST_F(StartAnalysis, clearingTheSourceStopsAnAnalysisRunningAloneBeforeFreeingRecords) {
    for (int i = 0; i < 50; ++i) {
        addRecord(catalogue, "/card/P" + std::to_string(i) + ".JPG", 0, 0);
    }
    MessageQueue window([](const WindowMessage&) {});
    gAnalysisTouches = 0;
    gAnalysisEnded = 0;
    ASSERT_EQ(startAnalysis(catalogue, &window, TouchRecordsUntilStopped), 0);
    while (gAnalysisTouches.load() < 100) {
        std::this_thread::yield();
    }
    const double seconds = SecondsOf([&] { clearSource(catalogue); });
    EXPECT_EQ(gAnalysisEnded.load(), 1);
    EXPECT_FALSE(catalogue.analysisThread.joinable());
    EXPECT_EQ(catalogue.analysisJob.running.load(), 0);
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
    EXPECT_EQ(catalogue.analysisJob.running.load(), 1);
    gAnalysisEnded = 0;
    clearSource(catalogue);
    EXPECT_EQ(gAnalysisEnded.load(), 1);
}
