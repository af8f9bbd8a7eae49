#pragma once

#include <wx/control.h>

#include <cstddef>

class wxDC;

// What of `start` + `rest` fits `width` in the font of `dc`: `start` whole and `rest` without its
// middle, or, where even `start` does not fit, the beginning of both.
wxString FitKeepingStart(const wxString& start, const wxString& rest, const wxDC& dc, int width);

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
    // A text whose start is never cut: only the rest loses its middle when the frame is short.
    void SetLabel(const wxString& start, const wxString& rest);
    wxString GetLabel() const override { return text_; }
    bool AcceptsFocus() const override { return false; }

private:
    void onPaint(wxPaintEvent& event);

    wxString text_;
    std::size_t keptStart_ = 0;
    bool centred_;
};
