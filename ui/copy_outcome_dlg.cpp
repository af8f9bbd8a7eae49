#include "ui/copy_outcome_dlg.h"

#include "platform/valid_utf8.h"
#include "ui/ui_fonts.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

constexpr int kFontHeight = 12;
constexpr int kMargin = 10;

wxString Shown(const std::string& text) {
    return wxString::FromUTF8(ValidUtf8(text));
}

} // namespace

CCopyOutcomeDlg::CCopyOutcomeDlg(wxWindow* parent, const std::string& counts,
                                 const std::vector<std::string>& failures)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8("コピーの結果"), wxDefaultPosition,
               wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
    SetFont(DisplayFont(kFontHeight));
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(
        new wxStaticText(this, wxID_ANY,
                         wxString::FromUTF8("コピーできなかったものがあります。カードの写真を"
                                            "消す前に、次の一覧を確かめてください。")),
        0, wxALL, kMargin);
    auto* tally = new wxStaticText(this, wxID_ANY, Shown(counts));
    tally->SetFont(DisplayFont(kFontHeight, true));
    column->Add(tally, 0, wxLEFT | wxRIGHT | wxBOTTOM, kMargin);
    wxString lines;
    for (const std::string& failure : failures) {
        lines += Shown(failure) + "\n";
    }
    auto* list = new wxTextCtrl(this, kIdFailureList, lines, wxDefaultPosition, wxSize(640, 220),
                                wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP | wxHSCROLL);
    column->Add(list, 1, wxEXPAND | wxLEFT | wxRIGHT, kMargin);
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    column->Add(ok, 0, wxALIGN_RIGHT | wxALL, kMargin);
    SetSizerAndFit(column);
    ok->SetFocus();
    CentreOnParent();
}
