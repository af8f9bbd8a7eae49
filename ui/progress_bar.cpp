#include "ui/progress_bar.h"

#include <gtk/gtk.h>

CProgressBar::CProgressBar(wxWindow* parent, wxWindowID id, const wxPoint& position,
                           const wxSize& size)
    : wxGauge(parent, id, 100, position, size, wxGA_HORIZONTAL | wxGA_SMOOTH) {}

void CProgressBar::SetRange(int range) {
    wxGauge::SetRange(range);
    layOutNow();
}

void CProgressBar::SetValue(int value) {
    wxGauge::SetValue(value);
    layOutNow();
}

void CProgressBar::layOutNow() {
    GtkWidget* bar = GetHandle();
    if (bar == nullptr || !gtk_widget_get_realized(bar)) {
        return;
    }
    // The allocation it has, given again, lays out the fill for the new fraction at once.
    GtkAllocation allocation;
    gtk_widget_get_allocation(bar, &allocation);
    gtk_widget_size_allocate(bar, &allocation);
    gtk_widget_queue_draw(bar);
}
