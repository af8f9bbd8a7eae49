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
