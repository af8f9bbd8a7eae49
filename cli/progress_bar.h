#pragma once

#include <string>

// A one-line progress bar on standard error, drawn only when that is a terminal.
class ProgressBar {
public:
    ProgressBar();
    // Redraws "<label> [#####     ] done/total" in place.
    void show(const std::string& label, int done, int total);
    // Redraws "<label> <count>" in place, for work of unknown size.
    void count(const std::string& label, int done);
    // Ends the line, so that what follows starts on a fresh one.
    void finish();

private:
    bool terminal_;
    bool drawn_ = false;
};
