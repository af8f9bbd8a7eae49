#include "ui/window_pictures.h"

#include "catalogue/qel_file_info.h"
#include "ui/row_icons.h"
#include "ui/ui_fonts.h"

#include <wx/dcmemory.h>

namespace {

constexpr int kHeadingFontHeight = 11;

wxColour ColourOf(RGBColor c) {
    return wxColour(c.red, c.green, c.blue);
}

struct HeadingLook {
    RGBColor colour;
    RowIconKind icon;
    const char* text;
};

HeadingLook LookOf(Heading heading) {
    switch (heading) {
    case Heading::FirstLevel:
        return {kLevel0FolderColor, RowIconKind::Level0Folder, "第1階層フォルダ名"};
    case Heading::SecondLevel:
        return {kLevel1FolderColor, RowIconKind::Level1Folder, "第2階層フォルダ名"};
    case Heading::FileName:
        break;
    }
    return {{230, 230, 230}, RowIconKind::Photo, "ファイル名"};
}

wxBitmap IconPicture(int edge) {
    wxBitmap picture(edge, edge, 24);
    wxMemoryDC dc(picture);
    dc.SetBackground(wxBrush(ColourOf(kLevel0FolderColor)));
    dc.Clear();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(ColourOf(kLevel1FolderColor)));
    dc.DrawRectangle(edge / 4, edge / 4, edge * 3 / 4, edge * 3 / 4);
    dc.SetBrush(wxBrush(wxColour(0, 150, 60)));
    dc.DrawRectangle(edge / 2, edge / 2, edge / 2, edge / 2);
    dc.SelectObject(wxNullBitmap);
    return picture;
}

} // namespace

wxBitmap HeadingPicture(Heading heading, const wxSize& size) {
    const HeadingLook look = LookOf(heading);
    wxBitmap picture(size, 24);
    wxMemoryDC dc(picture);
    dc.SetBackground(wxBrush(ColourOf(look.colour)));
    dc.Clear();
    dc.SetPen(wxPen(wxColour(96, 96, 96)));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(wxRect(size));
    const RowIcons icons;
    const wxBitmap& icon = icons.of(look.icon);
    dc.DrawBitmap(icon, 3, 3);
    dc.SetFont(DisplayFont(kHeadingFontHeight, true));
    dc.SetTextForeground(*wxBLACK);
    dc.DrawLabel(wxString::FromUTF8(look.text),
                 wxRect(0, icon.GetHeight() + 2, size.x, size.y - icon.GetHeight() - 4),
                 wxALIGN_CENTER);
    dc.SelectObject(wxNullBitmap);
    return picture;
}

wxBitmap ArrowPicture(bool pointsLeft, const wxSize& size) {
    wxBitmap picture(size, 24);
    wxMemoryDC dc(picture);
    // Drawn on white, which the mask then lets the window's own background through.
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxColour(64, 64, 64)));
    const int mid = size.y / 2;
    const int tip = pointsLeft ? 1 : size.x - 2;
    const int base = pointsLeft ? size.x / 2 : size.x - 1 - size.x / 2;
    const wxPoint head[] = {{tip, mid}, {base, 1}, {base, size.y - 2}};
    dc.DrawPolygon(3, head);
    const int tailFrom = pointsLeft ? base : 1;
    const int tailTo = pointsLeft ? size.x - 1 : base;
    dc.DrawRectangle(tailFrom, mid - size.y / 6, tailTo - tailFrom, size.y / 3 + 1);
    dc.SelectObject(wxNullBitmap);
    picture.SetMask(new wxMask(picture, *wxWHITE));
    return picture;
}

wxIconBundle WindowIcons() {
    wxIconBundle icons;
    for (const int edge : {16, 32, 48}) {
        wxIcon icon;
        icon.CopyFromBitmap(IconPicture(edge));
        icons.AddIcon(icon);
    }
    return icons;
}
