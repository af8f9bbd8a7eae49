#include "ui/explorer1.h"
#include "ui/qel_image_bitmap.h"

#include "map/map_picture.h"
#include "platform/http_get.h"

#include <wx/dcbuffer.h>

#include <chrono>
#include <utility>

namespace {
// How often an idle fetching thread looks up when nothing wakes it.
constexpr auto kIdleCheck = std::chrono::seconds(1);
} // namespace

CExplorer1::CExplorer1(wxWindow* parent, wxWindowID id, const wxRect& place,
                       const HttpLimits& limits)
    : wxWindow(parent, id, place.GetPosition(), place.GetSize(), wxBORDER_NONE), limits_(limits) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CExplorer1::onPaint, this);
    worker_ = std::thread(&CExplorer1::fetchLoop, this);
}

CExplorer1::~CExplorer1() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    // A fetch under way notices within about a second; nothing it queued outlives the window.
    worker_.join();
}

void CExplorer1::Navigate(const std::string& url, OwnPicture own) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++requested_;
        url_ = url;
        own_ = std::move(own);
    }
    wake_.notify_all();
    picture_.Release();
    Refresh();
}

bool CExplorer1::settled() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return shown_ == requested_;
}

void CExplorer1::fetchLoop() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        if (fetching_ == requested_) {
            wake_.wait_for(lock, kIdleCheck);
            continue;
        }
        const std::uint64_t navigation = fetching_ = requested_;
        const std::string url = url_;
        const OwnPicture own = own_;
        lock.unlock();
        fetch(navigation, url, own);
        lock.lock();
    }
}

// Runs on the fetching thread, without the lock.
void CExplorer1::fetch(std::uint64_t navigation, const std::string& url, const OwnPicture& own) {
    const auto current = [this, navigation] {
        std::lock_guard<std::mutex> lock(mutex_);
        return !stopping_ && requested_ == navigation;
    };
    Arrival arrival{navigation, QELImage()};
    bool fetched = false;
    if (!url.empty()) {
        if (const auto body = HttpGet(url, limits_, current)) {
            fetched = DecodeMapPicture(*body, arrival.picture);
        }
    }
    if (!fetched && own && current() && !own(arrival.picture)) {
        arrival.picture.Release();
    }
    std::lock_guard<std::mutex> lock(mutex_);
    if (stopping_ || requested_ != navigation) {
        return;
    }
    arrival_ = std::move(arrival);
    CallAfter(&CExplorer1::takeArrival);
}

void CExplorer1::takeArrival() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!arrival_) {
        return;
    }
    if (arrival_->navigation == requested_) {
        picture_ = std::move(arrival_->picture);
        shown_ = arrival_->navigation;
        Refresh();
    }
    arrival_.reset();
}

void CExplorer1::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    Draw(picture_, dc, kPageLeft, kPageTop);
}
