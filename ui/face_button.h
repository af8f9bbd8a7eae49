#pragma once

#include <wx/bitmap.h>
#include <wx/control.h>

// A button that shows pictures instead of a caption: a normal face, a pressed face while the
// mouse or the space bar holds it down, and the face to show while disabled. A click, Space or
// Enter sends wxEVT_BUTTON with the button's id, like any button. It takes focus from the
// keyboard and shows it with a dotted ring, unless told it has nothing to press.
class CFaceButton : public wxControl {
public:
    CFaceButton(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size);

    void setFaces(const wxBitmap& normal, const wxBitmap& pressed, const wxBitmap& disabled);
    // The face now on screen, for tests that check what the user sees.
    const wxBitmap& shownFace() const;

    void setTakesFocus(bool takesFocus) { takesFocus_ = takesFocus; }
    bool AcceptsFocus() const override { return takesFocus_; }

protected:
    wxSize DoGetBestClientSize() const override;

private:
    void onPaint(wxPaintEvent& event);
    void onLeftDown(wxMouseEvent& event);
    void onLeftUp(wxMouseEvent& event);
    void onCaptureLost(wxMouseCaptureLostEvent& event);
    void onFocusChange(wxFocusEvent& event);
    void onKeyDown(wxKeyEvent& event);
    void onKeyUp(wxKeyEvent& event);
    void hold(bool held);
    void press();

    wxBitmap normal_;
    wxBitmap pressed_;
    wxBitmap disabled_;
    bool held_ = false;
    bool heldByKey_ = false;
    bool takesFocus_ = true;
};
