#include "workflow/copy_run.h"

#include "platform/error_report.h"
#include "platform/window_messages.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <system_error>

namespace {
constexpr auto kProgressInterval = std::chrono::milliseconds(50);
} // namespace

// The window as the pass sees it: progress is posted, never waited for, and thinned out to what
// the eye can follow. At most one message goes every 50 ms, but the newest one held back goes no
// later than that, so that a copy held up by a slow photo shows how far it has come; the first
// message (which sets the bar's range) and the last go at once.
class CopyRun::ThrottledProgress : public MessageTarget {
public:
    ThrottledProgress(MessageTarget& window, const void* sender)
        : window_(window), sender_(sender), forwarder_([this] { forwardHeld(); }) {}
    ~ThrottledProgress() override {
        {
            std::lock_guard lock(mutex_);
            ending_ = true;
        }
        changed_.notify_all();
        forwarder_.join();
    }

    void post(const WindowMessage& message) override {
        std::lock_guard lock(mutex_);
        const bool edge = message.id != UM_COPY_PROGRESS || message.wParam <= 1 ||
                          message.wParam == static_cast<WParam>(message.lParam);
        if (edge || std::chrono::steady_clock::now() - forwarded_ >= kProgressInterval) {
            held_.reset();
            forward(message);
            return;
        }
        held_ = message;
        changed_.notify_all();
    }
    bool send(const WindowMessage& message, const std::atomic<int>&) override {
        post(message);
        return true;
    }
    void discard(const void* sender) override { window_.discard(sender); }

private:
    // Under the lock, so that the window receives the messages in the order the pass gave them.
    void forward(const WindowMessage& message) {
        forwarded_ = std::chrono::steady_clock::now();
        WindowMessage mine = message;
        mine.sender = sender_;
        window_.post(mine);
    }

    void forwardHeld() {
        std::unique_lock lock(mutex_);
        while (!ending_) {
            const auto due = forwarded_ + kProgressInterval;
            if (held_ && std::chrono::steady_clock::now() >= due) {
                forward(*held_);
                held_.reset();
            } else {
                changed_.wait_until(
                    lock, held_ ? due : std::chrono::steady_clock::now() + kProgressInterval);
            }
        }
    }

    MessageTarget& window_;
    const void* sender_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::chrono::steady_clock::time_point forwarded_;
    std::optional<WindowMessage> held_;
    bool ending_ = false;
    std::thread forwarder_; // last: it starts once everything it reads is in place
};

CopyTally RunCopyPhotos(CManageQELFileInfo& catalogue, const std::string& destination,
                        const CopyOptions& options, MessageTarget* window,
                        const std::atomic<bool>& stop) {
    CopyTally tally;
    CopyPhotos(catalogue, destination, window, &tally, &stop, options);
    return tally;
}

CopyRun::CopyRun() = default;

CopyRun::~CopyRun() {
    finish();
}

bool CopyRun::start(CManageQELFileInfo& catalogue, const std::string& destination,
                    const CopyOptions& options, MessageTarget& window, CopyPass pass) {
    outcome_ = {};
    stop_ = false;
    window_ = &window;
    progress_ = std::make_unique<ThrottledProgress>(window, this);
    try {
        thread_ = std::thread([this, &catalogue, destination, options, pass = std::move(pass)] {
            {
                ThreadErrorReporter gather(
                    [this](const std::string& message) { outcome_.failures.push_back(message); });
                outcome_.tally = pass(catalogue, destination, options, progress_.get(), stop_);
            }
            window_->post({UM_COPY_DONE, 0, 0, this});
        });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

CopyOutcome CopyRun::finish() {
    if (thread_.joinable()) {
        thread_.join();
        progress_.reset();
        // Progress the window has not taken yet would only move a bar that has been reset.
        window_->discard(this);
    }
    return std::move(outcome_);
}
