#include "display/wnd_view_qel_image.h"

#include "display/qel_image_bitmap.h"
#include "display/ui_fonts.h"

#include <wx/dcbuffer.h>

namespace {
constexpr int kFontHeight = 10;
const wxColour kGrey(192, 192, 192);
} // namespace

CWndViewQELImage::CWndViewQELImage(wxWindow* parent, wxWindowID id, const wxPoint& position,
                                   const wxSize& size)
    : wxWindow(parent, id, position, size, wxBORDER_NONE), font_(DisplayFont(kFontHeight)) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CWndViewQELImage::onPaint, this);
}

void CWndViewQELImage::showRecord(const QELFileInfo* record) {
    // The thumbnail phase announces a record only once it is done with it.
    picture_ = record != nullptr ? BitmapOf(record->thumbnail) : wxBitmap();
    loading_ = record != nullptr;
    // Painted with the next frame: painting at once, for every photo, would repaint the whole
    // window each time and slow the thumbnails down several times over.
    Refresh(false);
}

void CWndViewQELImage::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(kGrey));
    dc.DrawRectangle(0, 0, size.x, size.y);
    if (!loading_) {
        return;
    }
    if (picture_.IsOk()) {
        dc.DrawBitmap(picture_, (size.x - picture_.GetWidth()) / 2,
                      (size.y - picture_.GetHeight()) / 2);
    }
    dc.SetFont(font_);
    dc.SetTextForeground(*wxRED);
    dc.DrawLabel(wxString::FromUTF8("読込中…"), wxRect(size),
                 wxALIGN_CENTER_HORIZONTAL | wxALIGN_BOTTOM);
}
