#include "ui/help_window.h"

#include "platform/valid_utf8.h"

#include <wx/button.h>
#include <wx/display.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include <algorithm>

namespace {

constexpr int kMargin = 8;
// Room for the ReadMe's lines of about 80 columns, and a screenful of them.
constexpr int kColumns = 84;
constexpr int kLines = 32;
// Never more of the screen than this share of either side.
constexpr double kScreenShare = 0.9;

} // namespace

CHelpWindow::CHelpWindow(wxWindow* owner, const std::string& text)
    : wxDialog(owner, wxID_ANY, wxString::FromUTF8("ヘルプ"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    text_ = new wxTextCtrl(this, kIdHelpText, "", wxDefaultPosition, wxDefaultSize,
                           wxTE_MULTILINE | wxTE_READONLY | wxTE_WORDWRAP);
    const wxSize letter = text_->GetTextExtent("x");
    wxSize size(letter.x * kColumns, letter.y * kLines);
    const wxRect screen =
        wxDisplay(owner != nullptr ? wxDisplay::GetFromWindow(owner) : 0).GetClientArea();
    size.x = std::min(size.x, static_cast<int>(screen.width * kScreenShare) - 2 * kMargin);
    size.y = std::min(size.y, static_cast<int>(screen.height * kScreenShare) - 6 * kMargin);
    text_->SetInitialSize(size);
    column->Add(text_, 1, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, kMargin);
    auto* close = new wxButton(this, wxID_CLOSE, wxString::FromUTF8("閉じる"));
    column->Add(close, 0, wxALIGN_RIGHT | wxALL, kMargin);
    SetSizerAndFit(column);
    SetEscapeId(wxID_CLOSE);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { Close(); }, wxID_CLOSE);
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Destroy(); });
    showText(text);
    close->SetFocus();
    CentreOnParent();
}

void CHelpWindow::showText(const std::string& text) {
    text_->ChangeValue(wxString::FromUTF8(ValidUtf8(text)));
    text_->ShowPosition(0);
}
