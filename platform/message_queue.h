#pragma once

#include "platform/message_target.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// A message target whose messages are handled by the thread that made it (the UI thread) when
// it calls `dispatch`. The desktop program wakes its UI thread through `setWakeUp`; tests and the
// command line call `dispatch` in their own loops.
class MessageQueue : public MessageTarget {
public:
    using Handler = std::function<void(const WindowMessage&)>;

    explicit MessageQueue(Handler handler);
    ~MessageQueue() override;

    void post(const WindowMessage& message) override;
    bool send(const WindowMessage& message, const std::atomic<int>& running) override;
    void discard(const void* sender) override;

    // Called (from any thread) after a message was queued.
    void setWakeUp(std::function<void()> wakeUp);

    // Handles the queued messages, in order, on the calling thread; returns how many.
    int dispatch();
    // Dispatches until `done` returns true or `timeoutMs` passed; true when `done` held.
    bool dispatchUntil(const std::function<bool()>& done, int timeoutMs);

private:
    struct Entry {
        WindowMessage message;
        std::shared_ptr<bool> handled; // set for sent messages only
    };

    void enqueue(Entry entry);

    Handler handler_;
    // Sends from this thread (the one that made the queue) are handled at once, as a window
    // handles a message it sends to itself.
    std::thread::id uiThread_;
    std::function<void()> wakeUp_;
    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<Entry> queue_;
    bool wakePending_ = false; // a wake-up was issued and its dispatch has not started yet
};
