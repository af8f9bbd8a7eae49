#include "geocode/request_pacing.h"

#include <map>
#include <mutex>
#include <thread>

void waitForTurn(const std::string& endpoint, std::chrono::milliseconds interval) {
    using Clock = std::chrono::steady_clock;
    if (interval <= std::chrono::milliseconds::zero()) {
        return;
    }
    static std::mutex mutex;
    static std::map<std::string, Clock::time_point> nextTurn;
    Clock::time_point turn;
    {
        const std::lock_guard lock(mutex);
        const Clock::time_point now = Clock::now();
        auto [found, added] = nextTurn.try_emplace(endpoint, now);
        turn = std::max(now, found->second);
        found->second = turn + interval;
    }
    std::this_thread::sleep_until(turn);
}
