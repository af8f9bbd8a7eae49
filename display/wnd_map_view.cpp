#include "display/wnd_map_view.h"

#include "display/explorer1.h"
#include "display/hide_on_close.h"

const wxRect CWndMapView::mapRect(-12, -18, 1012, 1018);
const wxPoint CWndMapView::parkPosition(10000, 10000);

namespace {
constexpr int kBrowserId = 100;
} // namespace

CWndMapView::CWndMapView(wxWindow* owner, const StaticMapService& service, const HttpLimits& limits)
    : wxFrame(owner, wxID_ANY, wxString::FromUTF8("地図の表示"), wxPoint(0, 320), wxSize(400, 400),
              wxDEFAULT_FRAME_STYLE | wxFRAME_FLOAT_ON_PARENT),
      service_(service) {
    SetBackgroundColour(*wxWHITE);
    browser_ = new CExplorer1(this, kBrowserId, mapRect, limits);
    // The browser keeps its place and size when the view is resized; the frame's own layout
    // would stretch its only child over the client area.
    Bind(wxEVT_SIZE, [](wxSizeEvent&) {});
    HideOnClose(*this);
}

int CWndMapView::ShowPosition(double latitude, double longitude) {
    // 0, 0 is what a photo without position carries, and a folder.
    if (latitude == 0.0 && longitude == 0.0) {
        browser_->Move(parkPosition);
        Refresh();
        return 1;
    }
    browser_->Navigate(staticMapUrl(service_, latitude, longitude));
    browser_->SetSize(mapRect);
    Refresh();
    return 1;
}
