#include "ui/wx_message_target.h"

#include <wx/event.h>

namespace {
constexpr auto kBatchInterval = std::chrono::milliseconds(10);
} // namespace

WxMessageTarget::WxMessageTarget(wxEvtHandler& window, MessageQueue::Handler handler)
    : window_(window), queue_(std::move(handler)) {
    // A call queued on the window is dropped with the window, so none can outlive the queue.
    queue_.setWakeUp([this] { window_.CallAfter([this] { dispatchSoon(); }); });
    batchTimer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { dispatch(); });
}

void WxMessageTarget::post(const WindowMessage& message) {
    queue_.post(message);
}

bool WxMessageTarget::send(const WindowMessage& message, const std::atomic<int>& running) {
    ++sendsWaiting_;
    // The queue may be waiting out a batch interval and would not wake the UI thread again.
    window_.CallAfter([this] { dispatchSoon(); });
    const bool handled = queue_.send(message, running);
    --sendsWaiting_;
    return handled;
}

void WxMessageTarget::discard(const void* sender) {
    queue_.discard(sender);
}

void WxMessageTarget::dispatchSoon() {
    const auto since = std::chrono::steady_clock::now() - dispatched_;
    if (sendsWaiting_.load() > 0 || since >= kBatchInterval) {
        dispatch();
    } else if (!batchTimer_.IsRunning()) {
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(kBatchInterval - since);
        batchTimer_.StartOnce(static_cast<int>(wait.count()));
    }
}

void WxMessageTarget::dispatch() {
    batchTimer_.Stop();
    dispatched_ = std::chrono::steady_clock::now();
    queue_.dispatch();
}
