#include "cli/stop_signal.h"

#include <csignal>

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM};

// A signal handler may only store to a lock-free atomic.
static_assert(std::atomic<bool>::is_always_lock_free);
std::atomic<bool> stopRequested{false};

void AskToStop(int) {
    stopRequested.store(true);
}

} // namespace

StopOnSignal::StopOnSignal() {
    stopRequested = false;
    struct sigaction action {};
    action.sa_handler = AskToStop;
    sigemptyset(&action.sa_mask);
    // SA_RESETHAND: the next signal of the kind takes its default course.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int signal : kSignals) {
        sigaction(signal, &action, nullptr);
    }
}

StopOnSignal::~StopOnSignal() {
    for (const int signal : kSignals) {
        std::signal(signal, SIG_DFL);
    }
}

const std::atomic<bool>& StopOnSignal::requested() const {
    return stopRequested;
}
