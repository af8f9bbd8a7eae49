#include "ui/entry_view_windows.h"

#include "ui/ui_scale.h"
#include "ui/view_placement.h"
#include "ui/wnd_map_view.h"
#include "ui/wnd_view_image.h"

#include <wx/display.h>
#include <wx/toplevel.h>

#include <utility>

namespace {

// The least image view that still shows a photo, at 96 DPI.
constexpr int kSmallestImageWidth = 320;
constexpr int kSmallestImageHeight = 240;
// A window manager's frame as the toolkit cannot know it before any window has been shown: a
// title bar and thin borders. A window placed to end at the screen's bottom without it would
// end below it, and a window manager then places it anew, over the main window.
constexpr int kAssumedFrameWidth = 4;
constexpr int kAssumedFrameHeight = 32;

WindowRect RectOf(const wxRect& r) {
    return {r.x, r.y, r.width, r.height};
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
    // Once more when the windows stand: some window managers place a new window themselves,
    // and only now are its frame's sizes known.
    owner->CallAfter([this, owner] { placeBeside(owner); });
}

void EntryViewWindows::placeBeside(wxWindow* owner) {
    const int display = wxDisplay::GetFromWindow(owner);
    const wxRect workArea =
        wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetClientArea();
    const double scale = UiScale(owner);
    const wxSize client = imageView_->GetClientSize();
    const wxSize known = imageView_->GetSize() - client;
    const bool frameKnown = known.x > 0 || known.y > 0;
    const wxSize frame = frameKnown ? known
                                    : wxSize(ScaledPixels(kAssumedFrameWidth, scale),
                                             ScaledPixels(kAssumedFrameHeight, scale));
    const wxSize map = mapView_->GetSize() + (frameKnown ? wxSize() : frame);
    const ViewSizes sizes{client.x,
                          client.y,
                          ScaledPixels(kSmallestImageWidth, scale),
                          ScaledPixels(kSmallestImageHeight, scale),
                          frame.x,
                          frame.y,
                          map.x,
                          map.y};
    const ViewPlacement placed = PlaceViews(RectOf(workArea), RectOf(owner->GetRect()), sizes);
    // A maximised window stays where the window manager put it.
    if (auto* top = dynamic_cast<wxTopLevelWindow*>(owner); top == nullptr || !top->IsMaximized()) {
        owner->Move(placed.main.x, placed.main.y);
    }
    // Without a known frame the toolkit sizes a window by its client area.
    const wxSize unknown = frameKnown ? wxSize() : frame;
    for (auto [view, r] : {std::pair<wxWindow*, WindowRect>{imageView_, placed.image},
                           std::pair<wxWindow*, WindowRect>{mapView_, placed.map}}) {
        view->SetSize(r.x, r.y, r.width - unknown.x, r.height - unknown.y);
    }
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
