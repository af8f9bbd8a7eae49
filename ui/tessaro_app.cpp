#include "ui/tessaro_dlg.h"
#include "workflow/cmd_analize.h"

#include <wx/app.h>
#include <wx/stdpaths.h>

#include <clocale>
#include <cstdlib>
#include <string>
#include <vector>

// The application: parses the command line (which changes nothing) and runs the main window;
// when it closes, the program ends. The window is not run modally: a modal window would shut
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
    // The framework's own option parsing would refuse arguments such as /q; none is acted on.
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.push_back(argv[i].utf8_string());
    }
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) {
        pointers.push_back(argument.c_str());
    }
    CCmdAnalize commandLine;
    commandLine.ParseCommandLine(static_cast<int>(pointers.size()), pointers.data());
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
