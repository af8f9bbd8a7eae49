#include "ui/wnd_view_image.h"
#include "image/qel_image_load.h"
#include "ui/qel_image_bitmap.h"

#include "ui/hide_on_close.h"
#include "ui/ui_scale.h"

#include <wx/dcbuffer.h>
#include <wx/display.h>

namespace {

// The client area the view opens with: a 4:3 photo 640 pixels wide, at 96 DPI.
constexpr int kOpeningWidth = 640;
constexpr int kOpeningHeight = 480;

// The most the view can show: the screen it is on. The photo is decoded to fill that, so that
// no resize needs the file again.
ImageBox ScreenBox(const wxWindow& window) {
    const int index = wxDisplay::GetFromWindow(&window);
    const wxRect screen = wxDisplay(index == wxNOT_FOUND ? 0u : unsigned(index)).GetGeometry();
    return ImageBox{0, 0, screen.width, screen.height};
}

} // namespace

CWndViewImage::CWndViewImage(wxWindow* owner)
    : wxFrame(owner, wxID_ANY, wxString::FromUTF8("イメージ表示"), wxPoint(0, 100), wxDefaultSize,
              wxDEFAULT_FRAME_STYLE | wxFRAME_FLOAT_ON_PARENT) {
    SetClientSize(ScaledPixels(kOpeningWidth, UiScale(owner)),
                  ScaledPixels(kOpeningHeight, UiScale(owner)));
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CWndViewImage::onPaint, this);
    Bind(wxEVT_SIZE, &CWndViewImage::onSize, this);
    HideOnClose(*this);
}

int CWndViewImage::ShowImageFile(const std::string& path) {
    fittedImage_.Release();
    hasImage_ = Load(fullImage_, path, ScreenBox(*this)) ? 1 : 0;
    if (hasImage_ != 0) {
        fitToClient();
    }
    Refresh();
    Update();
    return hasImage_;
}

// Always from the decoded photo: fitting an earlier fitted copy would lose detail with every
// resize.
void CWndViewImage::fitToClient() {
    const wxSize client = GetClientSize();
    // An empty client area (a minimised view) is no box to fit into; the next real size fits.
    if (client.x <= 0 || client.y <= 0) {
        return;
    }
    FitFrom(fittedImage_, fullImage_, ImageBox{0, 0, client.x, client.y});
}

void CWndViewImage::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    if (hasImage_ != 0) {
        Draw(fittedImage_, dc, 0, 0);
    }
}

void CWndViewImage::onSize(wxSizeEvent& event) {
    event.Skip();
    const wxSize client = GetClientSize();
    if (client.x > 0 && client.y > 0 && hasImage_ != 0) {
        fitToClient();
        Refresh();
    }
}
