#include "platform/message_queue.h"

#include <algorithm>
#include <chrono>

namespace {
// How often a blocked sender looks at its job's running flag, and a dispatch loop at the queue.
constexpr auto kPoll = std::chrono::milliseconds(5);
} // namespace

MessageQueue::MessageQueue(Handler handler)
    : handler_(std::move(handler)), uiThread_(std::this_thread::get_id()) {}

MessageQueue::~MessageQueue() = default;

void MessageQueue::setWakeUp(std::function<void()> wakeUp) {
    std::lock_guard guard(lock_);
    wakeUp_ = std::move(wakeUp);
}

void MessageQueue::enqueue(Entry entry) {
    std::function<void()> wakeUp;
    const bool sent = entry.handled != nullptr;
    {
        std::lock_guard guard(lock_);
        // The UI thread empties the whole queue once woken, so a burst of progress costs one
        // wake-up, not one per photo.
        if (queue_.empty() && !wakePending_) {
            wakePending_ = true;
            wakeUp = wakeUp_;
        }
        queue_.push_back(std::move(entry));
    }
    // A sender is waiting: get its message handled at once. Posted progress can wait for the
    // dispatch loop's next look rather than wake it for every photo.
    if (sent) {
        changed_.notify_all();
    }
    if (wakeUp) {
        wakeUp();
    }
}

void MessageQueue::post(const WindowMessage& message) {
    enqueue({message, nullptr});
}

bool MessageQueue::send(const WindowMessage& message, const std::atomic<int>& running) {
    if (std::this_thread::get_id() == uiThread_) {
        handler_(message);
        return true;
    }
    auto handled = std::make_shared<bool>(false);
    enqueue({message, handled});
    std::unique_lock guard(lock_);
    while (!*handled) {
        if (running.load() == 0) {
            auto queued = std::find_if(queue_.begin(), queue_.end(),
                                       [&](const Entry& e) { return e.handled == handled; });
            if (queued != queue_.end()) {
                queue_.erase(queued);
                return false;
            }
        }
        // Either still queued or being handled right now: the handler finishes by itself.
        changed_.wait_for(guard, kPoll);
    }
    return true;
}

void MessageQueue::discard(const void* sender) {
    std::lock_guard guard(lock_);
    std::erase_if(queue_, [&](const Entry& e) { return e.message.sender == sender; });
}

int MessageQueue::dispatch() {
    std::unique_lock guard(lock_);
    wakePending_ = false;
    // Only what is queued now, so a handler that posts again cannot keep us here for ever.
    std::size_t budget = queue_.size();
    int handledCount = 0;
    while (budget-- > 0 && !queue_.empty()) {
        Entry entry = std::move(queue_.front());
        queue_.pop_front();
        guard.unlock();
        handler_(entry.message);
        guard.lock();
        if (entry.handled) {
            *entry.handled = true;
            changed_.notify_all();
        }
        ++handledCount;
    }
    // What arrived meanwhile may have found the queue busy and woken nobody.
    std::function<void()> wakeUp;
    if (!queue_.empty() && !wakePending_) {
        wakePending_ = true;
        wakeUp = wakeUp_;
    }
    guard.unlock();
    if (wakeUp) {
        wakeUp();
    }
    return handledCount;
}

bool MessageQueue::dispatchUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        dispatch();
        if (done()) {
            return true;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            return false;
        }
        std::unique_lock guard(lock_);
        changed_.wait_until(guard, std::min(deadline, now + kPoll));
    }
}
