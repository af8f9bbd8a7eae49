#include "ui/entry_view_windows.h"

#include "ui/ui_scale.h"
#include "ui/view_placement.h"
#include "ui/wnd_map_view.h"
#include "ui/wnd_view_image.h"

#include <wx/display.h>

namespace {

// The least image view that still shows a photo, at 96 DPI.
constexpr int kSmallestImageWidth = 320;
constexpr int kSmallestImageHeight = 240;

WindowRect RectOf(const wxRect& r) {
    return {r.x, r.y, r.width, r.height};
}

wxRect RectOf(const WindowRect& r) {
    return wxRect(r.x, r.y, r.width, r.height);
}

void BringBack(wxTopLevelWindow* window) {
    if (window->IsIconized()) {
        window->Iconize(false);
    }
    window->Show();
    window->Raise();
}

} // namespace

EntryViewWindows::EntryViewWindows(wxWindow* owner, const StaticMapService& maps)
    : imageView_(new CWndViewImage(owner)), mapView_(new CWndMapView(owner, maps)) {
    placeBeside(owner);
    imageView_->Show();
    mapView_->Show();
}

void EntryViewWindows::placeBeside(wxWindow* owner) {
    const int display = wxDisplay::GetFromWindow(owner);
    const wxRect workArea =
        wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetClientArea();
    const double scale = UiScale(owner);
    const wxSize client = imageView_->GetClientSize();
    const wxSize frame = imageView_->GetSize() - client;
    const ViewSizes sizes{client.x,
                          client.y,
                          ScaledPixels(kSmallestImageWidth, scale),
                          ScaledPixels(kSmallestImageHeight, scale),
                          frame.x,
                          frame.y,
                          mapView_->GetSize().x,
                          mapView_->GetSize().y};
    const ViewPlacement placed = PlaceViews(RectOf(workArea), RectOf(owner->GetRect()), sizes);
    owner->Move(placed.main.x, placed.main.y);
    imageView_->SetSize(RectOf(placed.image));
    mapView_->SetSize(RectOf(placed.map));
}

void EntryViewWindows::ShowImageFile(const std::string& path) {
    imageView_->ShowImageFile(path);
}

void EntryViewWindows::ShowPosition(double latitude, double longitude) {
    mapView_->ShowPosition(latitude, longitude);
}

void EntryViewWindows::showImageWindow() {
    BringBack(imageView_);
}

void EntryViewWindows::showMapWindow() {
    BringBack(mapView_);
}
