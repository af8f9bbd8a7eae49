#pragma once

#include "platform/message_queue.h"

#include <wx/timer.h>

#include <atomic>
#include <chrono>

class wxEvtHandler;

// The main window as workers and passes reach it: messages wait in a queue and the UI thread
// handles them in order when the window's event loop comes round to it (CallAfter). Posted
// messages are handled in batches at most every 10 ms, so a walk that posts its count for every
// photo does not keep the UI thread contending for the queue; a sent message is handled at once.
// `send` gives up when its job is stopped, and `discard` drops what a stopped job left queued.
class WxMessageTarget : public MessageTarget {
public:
    // Made on the UI thread; `window` outlives every worker that may still post.
    WxMessageTarget(wxEvtHandler& window, MessageQueue::Handler handler);

    void post(const WindowMessage& message) override;
    bool send(const WindowMessage& message, const std::atomic<int>& running) override;
    void discard(const void* sender) override;

private:
    // UI thread: handles what is queued now, or once the batch interval has passed.
    void dispatchSoon();
    void dispatch();

    wxEvtHandler& window_;
    MessageQueue queue_;
    std::atomic<int> sendsWaiting_{0};
    std::chrono::steady_clock::time_point dispatched_;
    wxTimer batchTimer_;
};
