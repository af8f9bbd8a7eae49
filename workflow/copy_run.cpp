#include "workflow/copy_run.h"

#include "platform/error_report.h"
#include "platform/window_messages.h"

#include <chrono>
#include <system_error>

namespace {
constexpr auto kProgressInterval = std::chrono::milliseconds(50);
} // namespace

// The window as the pass sees it: progress is posted, never waited for, and thinned out to what
// the eye can follow; the first message (which sets the bar's range) and the last always go.
class CopyRun::ThrottledProgress : public MessageTarget {
public:
    ThrottledProgress(MessageTarget& window, const void* sender)
        : window_(window), sender_(sender) {}

    void post(const WindowMessage& message) override {
        const auto now = std::chrono::steady_clock::now();
        const bool edge =
            message.wParam <= 1 || message.wParam == static_cast<WParam>(message.lParam);
        if (message.id == UM_COPY_PROGRESS && !edge && now - forwarded_ < kProgressInterval) {
            return;
        }
        forwarded_ = now;
        WindowMessage mine = message;
        mine.sender = sender_;
        window_.post(mine);
    }
    bool send(const WindowMessage& message, const std::atomic<int>&) override {
        post(message);
        return true;
    }
    void discard(const void* sender) override { window_.discard(sender); }

private:
    MessageTarget& window_;
    const void* sender_;
    std::chrono::steady_clock::time_point forwarded_;
};

CopyTally RunCopyPhotos(CManageQELFileInfo& catalogue, const std::string& destination,
                        MessageTarget* window) {
    CopyTally tally;
    CopyPhotos(catalogue, destination, window, &tally);
    return tally;
}

CopyRun::CopyRun() = default;

CopyRun::~CopyRun() {
    finish();
}

bool CopyRun::start(CManageQELFileInfo& catalogue, const std::string& destination,
                    MessageTarget& window, CopyPass pass) {
    outcome_ = {};
    window_ = &window;
    progress_ = std::make_unique<ThrottledProgress>(window, this);
    try {
        thread_ = std::thread([this, &catalogue, destination, pass = std::move(pass)] {
            {
                ThreadErrorReporter gather(
                    [this](const std::string& message) { outcome_.failures.push_back(message); });
                outcome_.tally = pass(catalogue, destination, progress_.get());
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
        // Progress the window has not taken yet would only move a bar that has been reset.
        window_->discard(this);
    }
    return std::move(outcome_);
}
