#include "app/face_button.h"

#include <wx/dcbuffer.h>

CFaceButton::CFaceButton(wxWindow* parent, wxWindowID id, const wxPoint& position,
                         const wxSize& size)
    : wxControl(parent, id, position, size, wxBORDER_NONE) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CFaceButton::onPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CFaceButton::onLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &CFaceButton::onLeftDown, this);
    Bind(wxEVT_LEFT_UP, &CFaceButton::onLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CFaceButton::onCaptureLost, this);
}

void CFaceButton::setFaces(const wxBitmap& normal, const wxBitmap& pressed,
                           const wxBitmap& disabled) {
    normal_ = normal;
    pressed_ = pressed;
    disabled_ = disabled;
    Refresh(false);
}

const wxBitmap& CFaceButton::shownFace() const {
    if (!IsEnabled()) {
        return disabled_;
    }
    return held_ ? pressed_ : normal_;
}

wxSize CFaceButton::DoGetBestClientSize() const {
    return normal_.IsOk() ? normal_.GetSize() : wxSize(16, 16);
}

void CFaceButton::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    const wxBitmap& face = shownFace();
    if (face.IsOk()) {
        dc.DrawBitmap(face, 0, 0);
    }
}

void CFaceButton::onLeftDown(wxMouseEvent&) {
    if (!held_) {
        CaptureMouse();
        held_ = true;
        Refresh(false);
    }
}

void CFaceButton::onLeftUp(wxMouseEvent& event) {
    if (!held_) {
        return;
    }
    held_ = false;
    if (HasCapture()) {
        ReleaseMouse();
    }
    Refresh(false);
    if (IsEnabled() && GetClientRect().Contains(event.GetPosition())) {
        wxCommandEvent click(wxEVT_BUTTON, GetId());
        click.SetEventObject(this);
        ProcessWindowEvent(click);
    }
}

void CFaceButton::onCaptureLost(wxMouseCaptureLostEvent&) {
    held_ = false;
    Refresh(false);
}
