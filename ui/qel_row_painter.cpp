#include "ui/qel_row_painter.h"

#include "platform/valid_utf8.h"
#include "ui/qel_row_layout.h"

#include <wx/control.h>

#include <algorithm>
#include <vector>

namespace {

const wxColour kSeparator(192, 192, 192);
// A title the user typed: marked and drawn in dark blue, so that it stands apart from the
// composed ones on every row colour.
const wxColour kHandTitleColour(0, 0, 160);
constexpr char kHandTitleMark[] = "✎ ";

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

struct RowText {
    wxString text;
    const wxFont* font;
    wxRect box;
    int alignment;
    const wxColour* colour = wxBLACK;
};

wxString TitleOf(const QELFileInfo& record) {
    return (record.handTitle.empty() ? "" : wxString::FromUTF8(kHandTitleMark)) +
           OneLine(record.title) + Shown(CompanionMarks(record));
}

const wxColour* TitleColour(const QELFileInfo& record) {
    return record.handTitle.empty() ? wxBLACK : &kHandTitleColour;
}

// The title and, for analysed photos, the date and place lines, each in its box.
std::vector<RowText> TextsOf(const QELFileInfo& record, const wxSize& size,
                             const RowPaintTools& tools) {
    const int left = RowIndent(record);
    if (record.isFolder != 0) {
        return {{TitleOf(record), &tools.titleFont,
                 wxRect(left + kFolderTitleInset, 0, size.x - left - kFolderTitleInset, size.y),
                 wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL, TitleColour(record)}};
    }
    std::vector<RowText> texts = {
        {TitleOf(record), &tools.titleFont,
         wxRect(left + kPhotoTitleInset, kPhotoTitleTop, size.x - left - kPhotoTitleInset,
                size.y - kPhotoTitleTop),
         wxALIGN_LEFT | wxALIGN_TOP, TitleColour(record)}};
    const int half = size.y / 2;
    const int line = wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL;
    if (ShowsDateLine(record)) {
        texts.push_back(
            {Shown(ShootingDateLine(record)), &tools.smallFont,
             wxRect(left + kDateLineInset, half, size.x - left - kDateLineInset, size.y - half),
             line});
    }
    if (ShowsPlaceLine(record)) {
        texts.push_back(
            {OneLine(ShootingPlaceLine(record)), &tools.smallFont,
             wxRect(left + kPlaceLineInset, half, size.x - left - kPlaceLineInset, size.y - half),
             line});
    }
    return texts;
}

// The text as it fits its box: each line that does not ends in "…".
wxString Fitted(const wxDC& dc, const RowText& text) {
    return wxControl::Ellipsize(text.text, dc, wxELLIPSIZE_END, std::max(0, text.box.width),
                                wxELLIPSIZE_FLAGS_NONE);
}

void DrawIcon(wxDC& dc, const QELFileInfo& record, int left, int height, const RowIcons& icons) {
    if (record.icon == nullptr) {
        return;
    }
    const wxBitmap& icon = icons.of(record.icon->kind);
    dc.DrawBitmap(icon, left + kIconInset, (height - icon.GetHeight()) / 2);
}

void PaintPicture(wxDC& dc, const QELFileInfo& record, int left, int height,
                  const RowPaintTools& tools) {
    if (record.isFolder != 0) {
        DrawIcon(dc, record, left, height, tools.icons);
        return;
    }
    const QELImage* picture = ShownPicture(record);
    const wxBitmap* bitmap = picture != nullptr ? &tools.thumbnails.of(*picture) : nullptr;
    if (bitmap != nullptr && bitmap->IsOk()) {
        dc.DrawBitmap(*bitmap, left, (height - bitmap->GetHeight()) / 2);
        return;
    }
    DrawIcon(dc, record, left, height, tools.icons);
}

} // namespace

// The search worker puts thumbnails in place and the analysis worker a photo's new values under
// the catalogue's lock, so a row never shows half of either.
void PaintRow(wxDC& dc, const QELFileInfo& record, const wxSize& size, bool selected,
              const RowPaintTools& tools) {
    const auto lock = LockRecord(record);
    const RGBColor& back = record.backColor;
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxColour(back.red, back.green, back.blue)));
    dc.DrawRectangle(0, 0, size.x, size.y);
    dc.SetBackgroundMode(wxTRANSPARENT);
    PaintPicture(dc, record, RowIndent(record), size.y, tools);
    for (const RowText& text : TextsOf(record, size, tools)) {
        dc.SetFont(*text.font);
        dc.SetTextForeground(*text.colour);
        dc.DrawLabel(Fitted(dc, text), text.box, text.alignment);
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

wxString RowToolTip(wxDC& dc, const QELFileInfo& record, const wxSize& size,
                    const RowPaintTools& tools) {
    const auto lock = LockRecord(record);
    wxString whole;
    bool cut = false;
    for (const RowText& text : TextsOf(record, size, tools)) {
        dc.SetFont(*text.font);
        cut = cut || Fitted(dc, text) != text.text;
        whole += (whole.empty() ? "" : "\n") + text.text;
    }
    return cut ? whole : wxString();
}
