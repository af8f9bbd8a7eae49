#include "ui/row_icons.h"

#include <wx/dcmemory.h>

namespace {

wxColour ColourOf(RGBColor c) {
    return wxColour(c.red, c.green, c.blue);
}

wxBitmap PhotoIcon() {
    wxBitmap bitmap(14, 16, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    // A page with a folded corner, a landscape on it.
    const wxPoint page[] = {{1, 0}, {9, 0}, {13, 4}, {13, 15}, {1, 15}};
    dc.SetPen(wxPen(wxColour(96, 96, 96)));
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawPolygon(5, page);
    dc.DrawLine(9, 0, 9, 4);
    dc.DrawLine(9, 4, 13, 4);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxColour(120, 180, 240)));
    dc.DrawRectangle(3, 6, 9, 4);
    dc.SetBrush(wxBrush(wxColour(70, 160, 70)));
    dc.DrawRectangle(3, 10, 9, 3);
    dc.SetBrush(wxBrush(wxColour(240, 200, 40)));
    dc.DrawRectangle(9, 7, 2, 2);
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

wxBitmap FolderIcon(RGBColor background) {
    wxBitmap bitmap(16, 14, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(wxBrush(ColourOf(background)));
    dc.Clear();
    const wxColour edge(150, 110, 0);
    dc.SetPen(wxPen(edge));
    dc.SetBrush(wxBrush(wxColour(230, 180, 40)));
    const wxPoint tab[] = {{0, 1}, {6, 1}, {8, 3}, {8, 4}, {0, 4}};
    dc.DrawPolygon(5, tab);
    dc.SetBrush(wxBrush(wxColour(255, 214, 80)));
    dc.DrawRectangle(0, 3, 16, 11);
    dc.SetPen(wxPen(wxColour(255, 236, 160)));
    dc.DrawLine(1, 5, 15, 5);
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

} // namespace

RowIcons::RowIcons()
    : photo_(PhotoIcon()), folder_(FolderIcon(kSourceFolderColor)),
      level0_(FolderIcon(kLevel0FolderColor)), level1_(FolderIcon(kLevel1FolderColor)) {}

const wxBitmap& RowIcons::of(RowIconKind kind) const {
    switch (kind) {
    case RowIconKind::Folder:
        return folder_;
    case RowIconKind::Level0Folder:
        return level0_;
    case RowIconKind::Level1Folder:
        return level1_;
    case RowIconKind::Photo:
        break;
    }
    return photo_;
}
