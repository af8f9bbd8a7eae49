#pragma once

#include "map/static_map_url.h"
#include "platform/http_limits.h"

#include <wx/frame.h>

class CExplorer1;

// The map view: a 400 x 400 map at zoom 12 around the selected photo's position, with a green
// marker A on it, drawn by the browser component. When the static map service gives no map (no
// key for the default service, no network, an error, an answer that is no picture), the
// component draws the offline map of the client area's size instead, off the window's thread. A
// record without position (a folder too) moves the component out of sight and says so on white,
// 位置情報なし in the middle of the view. Closing only hides the window.
class CWndMapView : public wxFrame {
public:
    CWndMapView(wxWindow* owner, const StaticMapService& service, const HttpLimits& limits = {});

    // Never waits for the map; returns 1.
    int ShowPosition(double latitude, double longitude);

    CExplorer1* browser() const { return browser_; }
    // True while the view says that the selection has no position.
    bool showsNoPosition() const { return noPosition_; }

    // Where the browser stands while a map is shown, and where it is parked.
    static const wxRect mapRect;
    static const wxPoint parkPosition;

private:
    void onPaint(wxPaintEvent& event);

    StaticMapService service_;
    bool noPosition_ = false;
    wxFont noteFont_;
    CExplorer1* browser_ = nullptr;
};
