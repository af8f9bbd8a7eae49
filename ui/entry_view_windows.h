#pragma once

#include "ui/entry_views.h"

class CWndMapView;
class CWndViewImage;
class wxTopLevelWindow;
class wxWindow;
struct StaticMapService;

// The image view and the map view as windows of their own, owned by the main window (which
// destroys them with itself), created and shown at once beside it (see view_placement.h).
class EntryViewWindows : public EntryViews {
public:
    EntryViewWindows(wxWindow* owner, const StaticMapService& maps);

    void ShowImageFile(const std::string& path) override;
    void ShowPosition(double latitude, double longitude) override;
    void showImageWindow() override;
    void showMapWindow() override;

    CWndViewImage* imageView() const { return imageView_; }
    CWndMapView* mapView() const { return mapView_; }

private:
    void placeBeside(wxWindow* owner);

    CWndViewImage* imageView_;
    CWndMapView* mapView_;
};
