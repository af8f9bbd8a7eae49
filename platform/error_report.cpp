#include "platform/error_report.h"

#include <cstdio>
#include <mutex>

namespace {

std::mutex guard;
ErrorReporter installed;
thread_local const ErrorReporter* threadReporter = nullptr;

void PrintToStandardError(const std::string& message) {
    // One write per message, so lines from several threads do not interleave.
    const std::string line = message + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

} // namespace

void SetErrorReporter(ErrorReporter reporter) {
    std::lock_guard lock(guard);
    installed = std::move(reporter);
}

void ReportError(const std::string& message) {
    if (threadReporter != nullptr) {
        (*threadReporter)(message);
        return;
    }
    ErrorReporter reporter;
    {
        std::lock_guard lock(guard);
        reporter = installed;
    }
    // A message box waits for the user; the lock is not held meanwhile.
    if (reporter) {
        reporter(message);
    } else {
        PrintToStandardError(message);
    }
}

ThreadErrorReporter::ThreadErrorReporter(ErrorReporter reporter)
    : reporter_(std::move(reporter)), outer_(threadReporter) {
    threadReporter = &reporter_;
}

ThreadErrorReporter::~ThreadErrorReporter() {
    threadReporter = outer_;
}
