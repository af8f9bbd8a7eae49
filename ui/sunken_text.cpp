#include "ui/sunken_text.h"

#include <wx/dcbuffer.h>

wxString FitKeepingStart(const wxString& start, const wxString& rest, const wxDC& dc, int width) {
    const int startWidth = dc.GetTextExtent(start).x;
    if (startWidth > width) {
        return wxControl::Ellipsize(start + rest, dc, wxELLIPSIZE_END, width);
    }
    return start + wxControl::Ellipsize(rest, dc, wxELLIPSIZE_MIDDLE, width - startWidth);
}

CSunkenText::CSunkenText(wxWindow* parent, wxWindowID id, const wxPoint& position,
                         const wxSize& size, bool centred)
    : wxControl(parent, id, position, size, wxBORDER_NONE), centred_(centred) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CSunkenText::onPaint, this);
}

void CSunkenText::SetLabel(const wxString& text) {
    SetLabel(wxString(), text);
}

void CSunkenText::SetLabel(const wxString& start, const wxString& rest) {
    const wxString text = start + rest;
    if (text == text_ && start.length() == keptStart_) {
        return;
    }
    text_ = text;
    keptStart_ = start.length();
    Refresh(false);
}

void CSunkenText::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    dc.SetPen(wxPen(wxColour(128, 128, 128)));
    dc.DrawLine(0, 0, size.x - 1, 0);
    dc.DrawLine(0, 0, 0, size.y - 1);
    dc.SetPen(*wxWHITE_PEN);
    dc.DrawLine(size.x - 1, 0, size.x - 1, size.y);
    dc.DrawLine(0, size.y - 1, size.x, size.y - 1);
    dc.SetFont(GetFont());
    dc.SetTextForeground(GetForegroundColour());
    const wxRect box(kPadding, 1, size.x - 2 * kPadding, size.y - 2);
    const wxString shown =
        FitKeepingStart(text_.Left(keptStart_), text_.Mid(keptStart_), dc, box.width);
    dc.DrawLabel(shown, box,
                 (centred_ ? wxALIGN_CENTER_HORIZONTAL : wxALIGN_LEFT) | wxALIGN_CENTER_VERTICAL);
}
