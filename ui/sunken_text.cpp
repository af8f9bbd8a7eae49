#include "ui/sunken_text.h"

#include <wx/dcbuffer.h>

CSunkenText::CSunkenText(wxWindow* parent, wxWindowID id, const wxPoint& position,
                         const wxSize& size, bool centred)
    : wxControl(parent, id, position, size, wxBORDER_NONE), centred_(centred) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CSunkenText::onPaint, this);
}

void CSunkenText::SetLabel(const wxString& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
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
    const wxString shown = wxControl::Ellipsize(text_, dc, wxELLIPSIZE_MIDDLE, box.width);
    dc.DrawLabel(shown, box,
                 (centred_ ? wxALIGN_CENTER_HORIZONTAL : wxALIGN_LEFT) | wxALIGN_CENTER_VERTICAL);
}
