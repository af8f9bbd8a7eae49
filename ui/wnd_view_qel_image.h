#pragma once

#include "catalogue/qel_file_info.h"

#include <wx/bitmap.h>
#include <wx/window.h>

// The small preview beside the progress bar: on grey, the thumbnail just made and the red
// "読込中…" while the thumbnail phase runs. It keeps a copy of the picture, not the record, so
// a phase cut short cannot leave it pointing at a freed record.
class CWndViewQELImage : public wxWindow {
public:
    CWndViewQELImage(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size);

    // Shows the record's thumbnail (plain grey for nullptr). The record is only read during the
    // call.
    void showRecord(const QELFileInfo* record);
    bool loading() const { return loading_; }
    bool AcceptsFocus() const override { return false; }

private:
    void onPaint(wxPaintEvent& event);
    void paintInto(wxDC& dc, const wxSize& size) const;

    wxBitmap picture_;
    bool loading_ = false;
    wxFont font_;
    wxRect textInk_; // where "読込中…" puts ink when drawn at (0, 0)
};
