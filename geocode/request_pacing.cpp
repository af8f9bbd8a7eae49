#include "geocode/request_pacing.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

std::mutex mutex;
std::map<std::string, Clock::time_point> nextTurn;

} // namespace

RequestTurn::RequestTurn(std::string endpoint, std::chrono::milliseconds interval)
    : endpoint_(std::move(endpoint)), interval_(interval) {
    if (interval_ <= std::chrono::milliseconds::zero()) {
        return;
    }
    Clock::time_point turn;
    {
        const std::lock_guard lock(mutex);
        const Clock::time_point now = Clock::now();
        auto [found, added] = nextTurn.try_emplace(endpoint_, now);
        turn = std::max(now, found->second);
        found->second = turn + interval_;
    }
    std::this_thread::sleep_until(turn);
}

RequestTurn::~RequestTurn() {
    if (interval_ <= std::chrono::milliseconds::zero()) {
        return;
    }
    const std::lock_guard lock(mutex);
    Clock::time_point& next = nextTurn[endpoint_];
    next = std::max(next, Clock::now() + interval_);
}
