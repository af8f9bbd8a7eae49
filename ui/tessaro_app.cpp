#include "ui/tessaro_dlg.h"

#include <wx/app.h>
#include <wx/stdpaths.h>

#include <clocale>
#include <cstdlib>
#include <string>

// The application: runs the main window; when it closes, the program ends. The window is not run modally: a modal window would shut
// its own image view and map view off from the pointer and the close box.
class CTessaroApp : public wxApp {
public:
    bool OnInit() override;
    int OnRun() override;
};

wxIMPLEMENT_APP(CTessaroApp);

bool CTessaroApp::OnInit() {
    // GTK takes the whole locale from the environment; numbers in requests and files keep
    // their C form ("%f" with a point).
    std::setlocale(LC_NUMERIC, "C");
    // No argument changes anything, so none is read; the framework's own option parsing, which
    // would refuse arguments such as /q, is left out with wxApp::OnInit.
    return true;
}

int CTessaroApp::OnRun() {
    CTessaroDlg window(wxStandardPaths::Get().GetExecutablePath().utf8_string());
    SetTopWindow(&window);
    window.Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
        event.Skip();
        if (!event.IsShown()) {
            ExitMainLoop();
        }
    });
    window.Show();
    const int status = wxApp::OnRun();
    // A worker stuck in a read from a hung network mount still uses what the window owns: the
    // program ends without freeing it rather than wait for ever.
    if (!window.stoppedCleanly()) {
        std::_Exit(status);
    }
    return status;
}
