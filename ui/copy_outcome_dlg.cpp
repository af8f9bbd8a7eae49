#include "ui/copy_outcome_dlg.h"

#include "platform/error_text.h"
#include "platform/file_contents.h"
#include "platform/valid_utf8.h"
#include "ui/message_box.h"
#include "ui/ui_fonts.h"

#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <cerrno>

namespace {

constexpr int kFontHeight = 12;
constexpr int kMargin = 10;
constexpr int kListWidth = 640;
constexpr int kListHeight = 220;
constexpr int kWrappedIndent = 40; // tenths of a millimetre
constexpr char kSuggestedName[] = "コピーの結果.txt";

std::optional<std::string> AskForFile(wxWindow* owner) {
    wxFileDialog dialog(owner, wxString::FromUTF8("一覧の保存"), wxEmptyString,
                        wxString::FromUTF8(kSuggestedName),
                        wxString::FromUTF8("テキストファイル (*.txt)|*.txt|すべてのファイル|*"),
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return dialog.GetPath().utf8_string();
}

const char* Heading(CopyOutcomeKind kind) {
    return kind == CopyOutcomeKind::Failed
               ? "コピーできなかったものがあります。カードの写真を消す前に、次の一覧を確かめて"
                 "ください。"
               : "写真はすべてコピーしました。次のファイルは読み込んでいないので、カードに残り"
                 "ます。カードを消す前に確かめてください。";
}

} // namespace

CCopyOutcomeDlg::CCopyOutcomeDlg(wxWindow* parent, CopyOutcomeKind kind, const std::string& counts,
                                 const std::vector<std::string>& lines)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8("コピーの結果"), wxDefaultPosition,
               wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      chooseFile_([this] { return AskForFile(this); }) {
    SetFont(DisplayFont(kFontHeight));
    std::string listed;
    for (const std::string& line : lines) {
        listed += ValidUtf8(line) + "\n";
    }
    text_ = ValidUtf8(counts) + "\n" + listed;
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(new wxStaticText(this, wxID_ANY, wxString::FromUTF8(Heading(kind))), 0, wxALL,
                kMargin);
    auto* tally = new wxStaticText(this, kIdOutcomeCounts, wxString::FromUTF8(ValidUtf8(counts)));
    tally->SetFont(DisplayFont(kFontHeight, true));
    // Broken into lines rather than cut where the counts are wider than the list.
    tally->Wrap(FromDIP(kListWidth));
    column->Add(tally, 0, wxLEFT | wxRIGHT | wxBOTTOM, kMargin);
    // Wrapped at word ends, and inside a path too long for a line, so that every reason shows.
    auto* list =
        new wxTextCtrl(this, kIdFailureList, wxString::FromUTF8(listed), wxDefaultPosition,
                       FromDIP(wxSize(kListWidth, kListHeight)), wxTE_MULTILINE | wxTE_READONLY);
    // The lines a failure wraps onto are indented, so that each failure stands out as one.
    wxTextAttr hanging;
    hanging.SetLeftIndent(0, kWrappedIndent);
    list->SetStyle(0, list->GetLastPosition(), hanging);
    column->Add(list, 1, wxEXPAND | wxLEFT | wxRIGHT, kMargin);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(new wxButton(this, kIdSaveOutcome, wxString::FromUTF8("保存…")), 0, wxRIGHT,
                 kMargin);
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    buttons->Add(ok);
    column->Add(buttons, 0, wxALIGN_RIGHT | wxALL, kMargin);
    SetSizerAndFit(column);
    Bind(wxEVT_BUTTON, &CCopyOutcomeDlg::onSave, this, kIdSaveOutcome);
    ok->SetFocus();
    CentreOnParent();
}

void CCopyOutcomeDlg::onSave(wxCommandEvent&) {
    const std::optional<std::string> path = chooseFile_();
    if (!path) {
        return;
    }
    if (!ReplaceFileAtomically(*path, text_)) {
        ShowMessageBox(this, "一覧を保存できませんでした: " + *path + ": " + ErrorText(errno));
    }
}
