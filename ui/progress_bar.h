#pragma once

#include <wx/gauge.h>

// The progress bar: a wxGauge whose drawn fill follows every change of its range or value.
// GTK lays the fill out anew only at its next frame; a repaint forced before that (the step
// buttons force one at every state) would otherwise put the old fill on the screen and leave it
// there until the next change, a bar at 2 % under a counter that reads 79／79.
class CProgressBar : public wxGauge {
public:
    CProgressBar(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size);

    void SetRange(int range) override;
    void SetValue(int value) override;

private:
    void layOutNow();
};
