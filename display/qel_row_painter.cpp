#include "display/qel_row_painter.h"

#include "display/qel_row_layout.h"
#include "platform/valid_utf8.h"

#include <mutex>

namespace {

const wxColour kSeparator(192, 192, 192);

wxString Shown(const std::string& text) {
    return wxString::FromUTF8(ValidUtf8(text));
}

// A single-line box shows no line breaks.
wxString OneLine(const std::string& text) {
    wxString line = Shown(text);
    line.Replace("\r", " ");
    line.Replace("\n", " ");
    return line;
}

void DrawIcon(wxDC& dc, const QELFileInfo& record, int left, int height, const RowIcons& icons) {
    if (record.icon == nullptr) {
        return;
    }
    const wxBitmap& icon = icons.of(record.icon->kind);
    dc.DrawBitmap(icon, left + kIconInset, (height - icon.GetHeight()) / 2);
}

void PaintFolder(wxDC& dc, const QELFileInfo& record, const wxSize& size, int left,
                 const RowPaintTools& tools) {
    DrawIcon(dc, record, left, size.y, tools.icons);
    dc.SetFont(tools.titleFont);
    const wxRect box(left + kFolderTitleInset, 0, size.x - left - kFolderTitleInset, size.y);
    dc.DrawLabel(OneLine(record.title), box, wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
}

void PaintPicture(wxDC& dc, const QELFileInfo& record, int left, int height,
                  const RowPaintTools& tools) {
    const QELImage* picture = ShownPicture(record);
    const wxBitmap* bitmap = picture != nullptr ? &tools.thumbnails.of(*picture) : nullptr;
    if (bitmap != nullptr && bitmap->IsOk()) {
        dc.DrawBitmap(*bitmap, left, (height - bitmap->GetHeight()) / 2);
        return;
    }
    DrawIcon(dc, record, left, height, tools.icons);
}

void PaintPhoto(wxDC& dc, const QELFileInfo& record, const wxSize& size, int left,
                const RowPaintTools& tools) {
    PaintPicture(dc, record, left, size.y, tools);
    dc.SetFont(tools.titleFont);
    const wxRect titleBox(left + kPhotoTitleInset, kPhotoTitleTop, size.x - left - kPhotoTitleInset,
                          size.y - kPhotoTitleTop);
    dc.DrawLabel(Shown(record.title), titleBox, wxALIGN_LEFT | wxALIGN_TOP);
    if (record.exifStatus != 1) {
        return;
    }
    dc.SetFont(tools.smallFont);
    const int half = size.y / 2;
    const wxRect dateBox(left + kDateLineInset, half, size.x - left - kDateLineInset,
                         size.y - half);
    dc.DrawLabel(Shown(ShootingDateLine(record)), dateBox, wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
    const wxRect placeBox(left + kPlaceLineInset, half, size.x - left - kPlaceLineInset,
                          size.y - half);
    dc.DrawLabel(OneLine(ShootingPlaceLine(record)), placeBox,
                 wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
}

} // namespace

// The whole row is drawn under the catalogue's lock: the search worker puts thumbnails in place
// and the analysis worker a photo's new values under it, so a row never shows half of either.
void PaintRow(wxDC& dc, const QELFileInfo& record, const wxSize& size, bool selected,
              const RowPaintTools& tools) {
    std::unique_lock<std::mutex> lock;
    if (record.mutex != nullptr) {
        lock = std::unique_lock<std::mutex>(*record.mutex);
    }
    const RGBColor& back = record.backColor;
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxColour(back.red, back.green, back.blue)));
    dc.DrawRectangle(0, 0, size.x, size.y);
    dc.SetBackgroundMode(wxTRANSPARENT);
    dc.SetTextForeground(*wxBLACK);
    const int left = RowIndent(record);
    if (record.isFolder != 0) {
        PaintFolder(dc, record, size, left, tools);
    } else {
        PaintPhoto(dc, record, size, left, tools);
    }
    dc.SetPen(wxPen(kSeparator));
    dc.DrawLine(0, size.y - 1, size.x, size.y - 1);
    if (selected) {
        dc.SetPen(*wxBLACK_PEN);
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(0, 0, size.x, size.y);
        dc.DrawRectangle(1, 1, size.x - 2, size.y - 2);
    }
}
