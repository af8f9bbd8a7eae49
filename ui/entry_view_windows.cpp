#include "ui/entry_view_windows.h"

#include "ui/wnd_map_view.h"
#include "ui/wnd_view_image.h"

namespace {

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
    imageView_->Show();
    mapView_->Show();
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
