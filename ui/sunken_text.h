#pragma once

#include <wx/control.h>

// A static text in a sunken frame, as the folder displays and the counter show theirs: one line,
// centred vertically, left-aligned (long paths lose their middle) or centred.
class CSunkenText : public wxControl {
public:
    // The room the frame leaves the text on either side.
    static constexpr int kPadding = 3;

    CSunkenText(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size,
                bool centred);

    // The text exactly as given: no mnemonics.
    void SetLabel(const wxString& text) override;
    wxString GetLabel() const override { return text_; }
    bool AcceptsFocus() const override { return false; }

private:
    void onPaint(wxPaintEvent& event);

    wxString text_;
    bool centred_;
};
