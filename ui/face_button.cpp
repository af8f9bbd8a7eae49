#include "ui/face_button.h"

#include <wx/dcbuffer.h>
#include <wx/renderer.h>

namespace {
// The focus ring's distance from the face's edge.
constexpr int kRingInset = 2;
} // namespace

CFaceButton::CFaceButton(wxWindow* parent, wxWindowID id, const wxPoint& position,
                         const wxSize& size)
    : wxControl(parent, id, position, size, wxBORDER_NONE) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CFaceButton::onPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CFaceButton::onLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &CFaceButton::onLeftDown, this);
    Bind(wxEVT_LEFT_UP, &CFaceButton::onLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CFaceButton::onCaptureLost, this);
    Bind(wxEVT_SET_FOCUS, &CFaceButton::onFocusChange, this);
    Bind(wxEVT_KILL_FOCUS, &CFaceButton::onFocusChange, this);
    Bind(wxEVT_KEY_DOWN, &CFaceButton::onKeyDown, this);
    Bind(wxEVT_KEY_UP, &CFaceButton::onKeyUp, this);
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
    if (HasFocus() && IsEnabled()) {
        wxRect ring(GetClientSize());
        ring.Deflate(kRingInset);
        wxRendererNative::Get().DrawFocusRect(this, dc, ring);
    }
}

void CFaceButton::hold(bool held) {
    held_ = held;
    Refresh(false);
}

void CFaceButton::press() {
    if (!IsEnabled()) {
        return;
    }
    wxCommandEvent click(wxEVT_BUTTON, GetId());
    click.SetEventObject(this);
    ProcessWindowEvent(click);
}

void CFaceButton::onLeftDown(wxMouseEvent&) {
    if (!held_) {
        CaptureMouse();
        hold(true);
    }
}

void CFaceButton::onLeftUp(wxMouseEvent& event) {
    if (!held_ || heldByKey_) {
        return;
    }
    if (HasCapture()) {
        ReleaseMouse();
    }
    hold(false);
    if (GetClientRect().Contains(event.GetPosition())) {
        press();
    }
}

void CFaceButton::onCaptureLost(wxMouseCaptureLostEvent&) {
    hold(false);
}

void CFaceButton::onFocusChange(wxFocusEvent& event) {
    // Focus that leaves while Space holds the button lets it go without a press.
    if (heldByKey_ && event.GetEventType() == wxEVT_KILL_FOCUS) {
        heldByKey_ = false;
        held_ = false;
    }
    Refresh(false);
    event.Skip();
}

// As a push button: Space presses on release, showing the pressed face meanwhile; Enter presses
// at once.
void CFaceButton::onKeyDown(wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
    case WXK_SPACE:
        if (!held_) {
            heldByKey_ = true;
            hold(true);
        }
        break;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        press();
        break;
    default:
        event.Skip();
        break;
    }
}

void CFaceButton::onKeyUp(wxKeyEvent& event) {
    if (event.GetKeyCode() != WXK_SPACE || !heldByKey_) {
        event.Skip();
        return;
    }
    heldByKey_ = false;
    hold(false);
    press();
}
