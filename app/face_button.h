#pragma once

#include <wx/bitmap.h>
#include <wx/control.h>

// A button that shows pictures instead of a caption: a normal face, a pressed face while the
// mouse holds it down, and the face to show while disabled. A click sends wxEVT_BUTTON with
// the button's id, like any button.
class CFaceButton : public wxControl {
public:
    CFaceButton(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size);

    void setFaces(const wxBitmap& normal, const wxBitmap& pressed, const wxBitmap& disabled);
    // The face now on screen, for tests that check what the user sees.
    const wxBitmap& shownFace() const;

    bool AcceptsFocus() const override { return false; }

protected:
    wxSize DoGetBestClientSize() const override;

private:
    void onPaint(wxPaintEvent& event);
    void onLeftDown(wxMouseEvent& event);
    void onLeftUp(wxMouseEvent& event);
    void onCaptureLost(wxMouseCaptureLostEvent& event);

    wxBitmap normal_;
    wxBitmap pressed_;
    wxBitmap disabled_;
    bool held_ = false;
};
