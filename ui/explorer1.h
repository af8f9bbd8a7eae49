#pragma once

#include "catalogue/qel_image.h"
#include "platform/http_limits.h"

#include <wx/window.h>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// The map view's browser, a component of our own: it shows the picture at a URL. Navigate()
// hands the URL to the component's fetching thread and returns at once; the picture is drawn
// when it has arrived and been decoded. Only the latest navigation is ever shown: an earlier
// one still under way is broken off, and one that arrives late is dropped. A failed fetch, or
// an answer that is no picture, shows the navigation's own picture instead, drawn on the same
// thread, or leaves the component blank when it has none.
class CExplorer1 : public wxWindow {
public:
    // Draws a picture into its argument on the fetching thread; false when it cannot.
    using OwnPicture = std::function<bool(QELImage&)>;

    CExplorer1(wxWindow* parent, wxWindowID id, const wxRect& place, const HttpLimits& limits = {});
    ~CExplorer1() override;

    // An empty URL fetches nothing and shows `own` at once.
    void Navigate(const std::string& url, OwnPicture own = {});

    // True once the latest navigation has ended, shown or failed.
    bool settled() const;
    const QELImage& picture() const { return picture_; }

    // Where the picture's top-left corner lies in the component: the margin of the page it
    // shows, which the map view hides by placing the component that far up and left.
    static constexpr int kPageLeft = 12;
    static constexpr int kPageTop = 18;

private:
    struct Arrival {
        std::uint64_t navigation = 0;
        QELImage picture;
    };

    void fetchLoop();
    void fetch(std::uint64_t navigation, const std::string& url, const OwnPicture& own);
    void takeArrival();
    void onPaint(wxPaintEvent& event);

    const HttpLimits limits_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    // Guarded by mutex_.
    std::uint64_t requested_ = 0;
    std::uint64_t fetching_ = 0;
    std::string url_;
    OwnPicture own_;
    std::optional<Arrival> arrival_;
    bool stopping_ = false;
    // UI thread only.
    std::uint64_t shown_ = 0;
    QELImage picture_;
    std::thread worker_;
};
