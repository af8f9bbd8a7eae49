#include "ui/hide_on_close.h"

void HideOnClose(wxTopLevelWindow& window) {
    window.Bind(wxEVT_CLOSE_WINDOW, [&window](wxCloseEvent& event) {
        if (!event.CanVeto()) {
            event.Skip();
            return;
        }
        event.Veto();
        window.Hide();
    });
}
