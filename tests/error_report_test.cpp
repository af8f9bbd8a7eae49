#include "platform/error_report.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>
#include <vector>

TEST(ErrorReport, aThreadsOwnReporterTakesOnlyThatThreadsReportsUntilItGoes) {
    std::mutex lock;
    std::vector<std::string> installed;
    SetErrorReporter([&](const std::string& message) {
        std::lock_guard hold(lock);
        installed.push_back(message);
    });
    std::vector<std::string> gathered;
    std::vector<std::string> inner;
    std::thread pass([&] {
        ThreadErrorReporter gather(
            [&](const std::string& message) { gathered.push_back(message); });
        ReportError("from the pass");
        {
            ThreadErrorReporter nested(
                [&](const std::string& message) { inner.push_back(message); });
            ReportError("nested");
        }
        ReportError("the pass again");
        std::thread([] { ReportError("from another thread"); }).join();
    });
    pass.join();
    ReportError("after the pass");
    SetErrorReporter(nullptr);
    EXPECT_EQ(gathered, (std::vector<std::string>{"from the pass", "the pass again"}));
    EXPECT_EQ(inner, std::vector<std::string>{"nested"});
    EXPECT_EQ(installed, (std::vector<std::string>{"from another thread", "after the pass"}));
}
