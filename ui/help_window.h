#pragma once

#include <wx/dialog.h>

#include <string>

class wxTextCtrl;

// "ヘルプ" shown by the program itself where no application opens text files: the text read-only,
// wrapped and scrolled, with a "閉じる" button. It stays open beside the main window; closing it
// destroys it.
class CHelpWindow : public wxDialog {
public:
    CHelpWindow(wxWindow* owner, const std::string& text);
    void showText(const std::string& text);

private:
    wxTextCtrl* text_;
};

inline constexpr int kIdHelpText = 1070;
