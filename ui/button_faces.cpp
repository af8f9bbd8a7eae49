#include "ui/button_faces.h"

#include "ui/ui_fonts.h"
#include "ui/ui_scale.h"

#include <wx/control.h>
#include <wx/dcmemory.h>

namespace {

// As narrow as "STEP1" lets it be, so that the longest task reads whole at the smallest text
// height beside it.
constexpr int kTagWidth = 36;
constexpr int kTagFontHeight = 11;
constexpr int kTaskFontHeight = 11;

struct StepLook {
    wxColour tag;
    wxColour tagText;
    wxColour task;
    bool pressed;
};

StepLook LookOf(StepFaceKind kind) {
    const wxColour green(0, 150, 60);
    const wxColour dark(56, 60, 72);
    switch (kind) {
    case StepFaceKind::ToDo:
        return {green, *wxWHITE, *wxBLACK, false};
    case StepFaceKind::ToDoPressed:
        return {green.ChangeLightness(80), *wxWHITE, *wxBLACK, true};
    case StepFaceKind::Done:
        return {dark, *wxWHITE, wxColour(40, 40, 40), false};
    case StepFaceKind::DonePressed:
        return {dark.ChangeLightness(70), *wxWHITE, wxColour(40, 40, 40), true};
    case StepFaceKind::Busy:
        return {wxColour(255, 208, 0), *wxBLACK, wxColour(60, 60, 60), false};
    case StepFaceKind::Grey:
        break;
    }
    return {wxColour(204, 204, 204), wxColour(150, 150, 150), wxColour(160, 160, 160), false};
}

// A raised frame, or a sunken one while pressed.
void DrawFrame(wxDC& dc, const wxSize& size, bool pressed) {
    const wxColour light(255, 255, 255);
    const wxColour shadow(128, 128, 128);
    dc.SetPen(wxPen(pressed ? shadow : light));
    dc.DrawLine(0, 0, size.x - 1, 0);
    dc.DrawLine(0, 0, 0, size.y - 1);
    dc.SetPen(wxPen(pressed ? light : shadow));
    dc.DrawLine(size.x - 1, 0, size.x - 1, size.y);
    dc.DrawLine(0, size.y - 1, size.x, size.y - 1);
}

void Fill(wxDC& dc, const wxRect& rect, const wxColour& colour) {
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(colour));
    dc.DrawRectangle(rect);
}

} // namespace

wxBitmap StepFaceBitmap(const wxString& caption, StepFaceKind kind, const wxSize& size) {
    const StepLook look = LookOf(kind);
    wxBitmap face(size, 24);
    wxMemoryDC dc(face);
    Fill(dc, wxRect(size),
         kind == StepFaceKind::Grey ? wxColour(232, 232, 232) : wxColour(244, 244, 238));
    const int shift = look.pressed ? 1 : 0;
    const wxRect tag(2 + shift, 2 + shift, ScaledPixels(kTagWidth, UiScale()), size.y - 4);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(look.tag));
    dc.DrawRoundedRectangle(tag, 3);
    const wxString step = caption.BeforeFirst(':');
    dc.SetFont(DisplayFont(kTagFontHeight, true));
    dc.SetTextForeground(look.tagText);
    dc.DrawLabel(kind == StepFaceKind::Busy ? wxString::FromUTF8("処理中") : step, tag,
                 wxALIGN_CENTER);
    const int taskLeft = tag.GetRight() + 4;
    const wxRect taskBox(taskLeft, shift, size.x - taskLeft - 2, size.y);
    const wxString task = caption.AfterFirst(':');
    // No smaller font for a long task: on a face without room for it, it ends in "…".
    dc.SetFont(DisplayFont(kTaskFontHeight));
    dc.SetTextForeground(look.task);
    dc.DrawLabel(wxControl::Ellipsize(task, dc, wxELLIPSIZE_END, taskBox.width), taskBox,
                 wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
    DrawFrame(dc, size, look.pressed);
    dc.SelectObject(wxNullBitmap);
    return face;
}

wxBitmap ServiceBadgeFace(BadgeState state, bool builtin, const wxSize& size) {
    const bool answered = state == BadgeState::Answered;
    wxBitmap face(size, 24);
    wxMemoryDC dc(face);
    Fill(dc, wxRect(size), wxColour(240, 240, 240));
    dc.SetPen(wxPen(answered ? wxColour(66, 133, 244) : wxColour(170, 170, 170)));
    dc.SetBrush(wxBrush(answered ? wxColour(232, 240, 254) : wxColour(224, 224, 224)));
    dc.DrawRoundedRectangle(wxRect(size), 3);
    dc.SetFont(DisplayFont(size.y - 4, true));
    // Coloured letters once the service answered, as its attribution shows them.
    const wxColour letters[] = {{66, 133, 244}, {219, 68, 55}, {244, 180, 0}, {15, 157, 88}};
    const wxString text(builtin ? "GeoNames" : "Geocoding");
    const wxSize extent = dc.GetTextExtent(text);
    int x = (size.x - extent.x) / 2;
    const int y = (size.y - extent.y) / 2;
    for (size_t i = 0; i < text.length(); ++i) {
        dc.SetTextForeground(answered ? letters[i % 4] : wxColour(150, 150, 150));
        const wxString letter(text[i]);
        dc.DrawText(letter, x, y);
        x += dc.GetTextExtent(letter).x;
    }
    if (state == BadgeState::Unavailable) {
        dc.SetPen(wxPen(wxColour(200, 40, 40), 2));
        dc.DrawLine(2, size.y / 2, size.x - 2, size.y / 2);
    }
    dc.SelectObject(wxNullBitmap);
    return face;
}

wxBitmap ViewButtonFace(ViewPicture picture, bool pressed, const wxSize& size) {
    wxBitmap face(size, 24);
    wxMemoryDC dc(face);
    const bool photo = picture == ViewPicture::Photo;
    Fill(dc, wxRect(size), photo ? wxColour(150, 200, 245) : wxColour(236, 230, 200));
    if (photo) {
        Fill(dc, wxRect(0, size.y * 2 / 3, size.x, size.y), wxColour(90, 170, 90));
    } else {
        dc.SetPen(wxPen(wxColour(210, 120, 60), 2));
        dc.DrawLine(0, size.y / 3, size.x, size.y * 2 / 3);
        dc.SetPen(wxPen(wxColour(90, 140, 220), 2));
        dc.DrawLine(size.x / 3, 0, size.x / 2, size.y);
    }
    dc.SetFont(DisplayFont(size.y - 6, true));
    dc.SetTextForeground(*wxBLACK);
    const int shift = pressed ? 1 : 0;
    dc.DrawLabel(wxString::FromUTF8(photo ? "写" : "地"), wxRect(shift, shift, size.x, size.y),
                 wxALIGN_CENTER);
    DrawFrame(dc, size, pressed);
    dc.SelectObject(wxNullBitmap);
    return face;
}
