#include "ui/wnd_map_view.h"

#include "map/offline_map.h"
#include "platform/debug_output.h"
#include "ui/explorer1.h"
#include "ui/hide_on_close.h"
#include "ui/ui_fonts.h"
#include "ui/ui_scale.h"

#include <wx/dcclient.h>

#include <algorithm>

const wxRect CWndMapView::mapRect(-12, -18, 1012, 1018);
const wxPoint CWndMapView::parkPosition(10000, 10000);

namespace {

constexpr int kBrowserId = 100;
// The map's size while the client area has none (the view not yet laid out): the design's map.
constexpr int kDesignMapSide = 400;
constexpr int kNoteFontHeight = 16;
const wxColour kNoteColour(90, 90, 90);

wxString NoPositionNote() {
    return wxString::FromUTF8("位置情報なし");
}

// Runs on the browser's fetching thread.
bool DrawOwnMap(double latitude, double longitude, PixelSize size, QELImage& picture) {
    OfflineMap map;
    const int result = DrawOfflineMap(latitude, longitude, size, map);
    if (result != kOfflineMapDrawn) {
        DebugOutput("map view: no offline map (" + std::to_string(result) + ")");
        return false;
    }
    picture.image = std::move(map.pixels);
    picture.topDown = 1;
    return true;
}

} // namespace

CWndMapView::CWndMapView(wxWindow* owner, const StaticMapService& service, const HttpLimits& limits)
    : wxFrame(owner, wxID_ANY, wxString::FromUTF8("地図の表示"), wxPoint(0, 320),
              wxSize(ScaledPixels(kDesignMapSide, UiScale(owner)),
                     ScaledPixels(kDesignMapSide, UiScale(owner))),
              wxDEFAULT_FRAME_STYLE | wxFRAME_FLOAT_ON_PARENT),
      service_(service), noteFont_(DisplayFont(kNoteFontHeight)) {
    SetBackgroundColour(*wxWHITE);
    browser_ = new CExplorer1(this, kBrowserId, mapRect, limits);
    // The browser keeps its place and size when the view is resized; the frame's own layout
    // would stretch its only child over the client area. The note stays in the middle.
    Bind(wxEVT_SIZE, [this](wxSizeEvent&) { Refresh(); });
    Bind(wxEVT_PAINT, &CWndMapView::onPaint, this);
    HideOnClose(*this);
}

void CWndMapView::onPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    if (!noPosition_) {
        return;
    }
    dc.SetBackgroundMode(wxTRANSPARENT);
    dc.SetFont(noteFont_);
    dc.SetTextForeground(kNoteColour);
    dc.DrawLabel(NoPositionNote(), wxRect(GetClientSize()), wxALIGN_CENTER);
}

int CWndMapView::ShowPosition(double latitude, double longitude) {
    // 0, 0 is what a photo without position carries, and a folder.
    noPosition_ = latitude == 0.0 && longitude == 0.0;
    if (noPosition_) {
        browser_->Move(parkPosition);
        Refresh();
        return 1;
    }
    // The offline map fills the client area: the browser's page margin puts its corner at the
    // client area's.
    const wxSize client = GetClientSize();
    const PixelSize size = client.x > 0 && client.y > 0
                               ? PixelSize{std::min(client.x, kMaxOfflineMapSide),
                                           std::min(client.y, kMaxOfflineMapSide)}
                               : PixelSize{kDesignMapSide, kDesignMapSide};
    browser_->Navigate(staticMapServiceMayAnswer(service_)
                           ? staticMapUrl(service_, latitude, longitude)
                           : std::string(),
                       [latitude, longitude, size](QELImage& picture) {
                           return DrawOwnMap(latitude, longitude, size, picture);
                       });
    browser_->SetSize(mapRect);
    Refresh();
    return 1;
}
