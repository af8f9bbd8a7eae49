#include "ui/wnd_view_qel_image.h"

#include "ui/qel_image_bitmap.h"
#include "ui/ui_fonts.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>

#include <algorithm>

namespace {

constexpr int kFontHeight = 11;
const wxColour kGrey(192, 192, 192);

wxString LoadingText() {
    return wxString::FromUTF8("読込中…");
}

// The glyphs as drawn, their faintest edges included, may reach below the line the font reports
// (a fallback face drawing the Japanese), and the text would be cut off at the preview's bottom
// edge: it is placed by its ink.
wxRect InkOf(const wxFont& font, const wxString& text) {
    wxBitmap canvas(1, 1);
    wxMemoryDC dc(canvas);
    dc.SetFont(font);
    const wxSize extent = dc.GetTextExtent(text);
    const wxPoint origin(extent.y, extent.y);
    canvas = wxBitmap(extent.x + 2 * origin.x, 3 * extent.y, 24);
    dc.SelectObject(canvas);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetFont(font);
    dc.SetTextForeground(*wxBLACK);
    dc.DrawText(text, origin);
    dc.SelectObject(wxNullBitmap);
    const wxImage drawn = canvas.ConvertToImage();
    wxRect ink;
    for (int y = 0; y < drawn.GetHeight(); ++y) {
        for (int x = 0; x < drawn.GetWidth(); ++x) {
            if (drawn.GetRed(x, y) < 255) {
                ink.Union(wxRect(x - origin.x, y - origin.y, 1, 1));
            }
        }
    }
    return ink.IsEmpty() ? wxRect(wxPoint(0, 0), extent) : ink;
}

} // namespace

CWndViewQELImage::CWndViewQELImage(wxWindow* parent, wxWindowID id, const wxPoint& position,
                                   const wxSize& size)
    : wxWindow(parent, id, position, size, wxBORDER_NONE), font_(DisplayFont(kFontHeight)),
      textInk_(InkOf(font_, LoadingText())) {
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

// Composed off-screen: the text is placed by its ink as a memory context draws it, and a paint
// context may put the same text a pixel lower.
void CWndViewQELImage::onPaint(wxPaintEvent&) {
    wxPaintDC target(this);
    const wxSize size = GetClientSize();
    if (size.x <= 0 || size.y <= 0) {
        return;
    }
    wxBitmap composed(size, 24);
    wxMemoryDC dc(composed);
    paintInto(dc, size);
    dc.SelectObject(wxNullBitmap);
    target.DrawBitmap(composed, 0, 0);
}

void CWndViewQELImage::paintInto(wxDC& dc, const wxSize& size) const {
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
    // Centred, its lowest ink on the bottom row, and never above the top.
    const int x = (size.x - textInk_.width) / 2 - textInk_.x;
    const int y = std::max(size.y - textInk_.GetBottom() - 1, -textInk_.y);
    dc.DrawText(LoadingText(), x, y);
}
