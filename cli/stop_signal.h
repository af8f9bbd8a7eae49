#pragma once

#include <atomic>

// While it lives, Ctrl-C (SIGINT) or SIGTERM asks the copy to stop after the photo at hand
// instead of killing the process in the middle of one. A second one of the same kills, as
// usual, for a copy stuck on a device that no longer answers.
class StopOnSignal {
public:
    StopOnSignal();
    ~StopOnSignal();
    StopOnSignal(const StopOnSignal&) = delete;
    StopOnSignal& operator=(const StopOnSignal&) = delete;

    const std::atomic<bool>& requested() const;
};
