#include "platform/error_report.h"
#include "platform/message_queue.h"
#include "platform/window_messages.h"
#include "workflow/copy_run.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(CopyRun, thinsOutTheProgressGathersItsOwnFailuresAndSaysWhenItHasEnded) {
    std::vector<WindowMessage> handled;
    MessageQueue window([&](const WindowMessage& m) { handled.push_back(m); });
    std::vector<std::string> elsewhere;
    SetErrorReporter([&](const std::string& message) { elsewhere.push_back(message); });
    CManageQELFileInfo catalogue;
    CopyRun run;
    constexpr int kEntries = 2000;
    std::chrono::steady_clock::duration sending{}; // written by the pass's thread
    ASSERT_TRUE(run.start(
        catalogue, "/media/out/", {}, window,
        [&](CManageQELFileInfo&, const std::string& destination, const CopyOptions&,
            MessageTarget* progress, const std::atomic<bool>&) {
            ReportError("写真をコピーできませんでした: " + destination);
            std::thread([] { ReportError("not the pass's"); }).join();
            const std::atomic<int> running{1};
            const auto start = std::chrono::steady_clock::now();
            for (int i = 1; i <= kEntries; ++i) {
                progress->send({UM_COPY_PROGRESS, static_cast<WParam>(i), kEntries, nullptr},
                               running);
            }
            sending = std::chrono::steady_clock::now() - start;
            CopyTally tally;
            tally.copied = 7;
            return tally;
        }));
    ASSERT_TRUE(window.dispatchUntil(
        [&] { return !handled.empty() && handled.back().id == UM_COPY_DONE; }, 10000));
    const CopyOutcome outcome = run.finish();
    SetErrorReporter(nullptr);
    EXPECT_EQ(outcome.tally.copied, 7);
    EXPECT_EQ(outcome.failures,
              std::vector<std::string>{"写真をコピーできませんでした: /media/out/"});
    EXPECT_EQ(elsewhere, std::vector<std::string>{"not the pass's"});
    ASSERT_GE(handled.size(), 3u);
    // The first (which sets the bar's range) and the last always arrive; in between, at most
    // one every 50 ms of the sending, where the pass sent thousands.
    EXPECT_EQ(handled.front().wParam, 1u);
    EXPECT_EQ(handled[handled.size() - 2].wParam, static_cast<WParam>(kEntries));
    EXPECT_LE(handled.size() - 3, static_cast<std::size_t>(sending / std::chrono::milliseconds(50)))
        << "in " << std::chrono::duration<double>(sending).count() << " s";
}
