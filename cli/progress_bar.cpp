#include "cli/progress_bar.h"

#include <cstdio>
#include <unistd.h>

ProgressBar::ProgressBar() : terminal_(isatty(STDERR_FILENO) == 1) {}

void ProgressBar::show(const std::string& label, int done, int total) {
    if (!terminal_ || total <= 0) {
        return;
    }
    constexpr int kWidth = 30;
    const int filled = static_cast<int>(static_cast<long long>(kWidth) * done / total);
    std::fprintf(stderr, "\r%-10s [%s%s] %d/%d", label.c_str(), std::string(filled, '#').c_str(),
                 std::string(kWidth - filled, ' ').c_str(), done, total);
    std::fflush(stderr);
    drawn_ = true;
}

void ProgressBar::count(const std::string& label, int done) {
    if (!terminal_) {
        return;
    }
    std::fprintf(stderr, "\r%-10s %d", label.c_str(), done);
    std::fflush(stderr);
    drawn_ = true;
}

void ProgressBar::finish() {
    if (drawn_) {
        std::fputc('\n', stderr);
        drawn_ = false;
    }
}
