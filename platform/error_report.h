#pragma once

#include <functional>
#include <string>

// The one channel through which a failure is shown to the user: the desktop program installs a
// reporter that shows a message box, everything else keeps the default, which prints the
// message as one line on standard error.
using ErrorReporter = std::function<void(const std::string& message)>;

// Installs `reporter`; an empty one brings the default back.
void SetErrorReporter(ErrorReporter reporter);

void ReportError(const std::string& message);

// While it lives, the reports made on the thread that made it go to `reporter` instead, whatever
// is installed: a pass on a thread of its own gathers its failures for one summary this way.
class ThreadErrorReporter {
public:
    explicit ThreadErrorReporter(ErrorReporter reporter);
    ~ThreadErrorReporter();
    ThreadErrorReporter(const ThreadErrorReporter&) = delete;
    ThreadErrorReporter& operator=(const ThreadErrorReporter&) = delete;

private:
    ErrorReporter reporter_;
    const ErrorReporter* outer_; // the one it stands in for, if any
};
