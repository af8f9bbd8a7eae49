#pragma once

#include <wx/dialog.h>

#include <string>

class wxTextCtrl;

// "ユーザー入力": one edit box with "OK" and "キャンセル", for editing a result title.
class CDlgInputUser : public wxDialog {
public:
    explicit CDlgInputUser(wxWindow* parent);

    // Shows `text` in the edit box and runs the dialog; wxID_OK when the user confirmed, and
    // `text` is then the edit box's text exactly as typed (empty included).
    int run();

    std::string text;

private:
    void onOk(wxCommandEvent& event);

    wxTextCtrl* edit_;
};

inline constexpr int kIdInputEdit = 1019;
