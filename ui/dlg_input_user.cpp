#include "ui/dlg_input_user.h"

#include "platform/valid_utf8.h"
#include "ui/compact_theme.h"
#include "ui/dialog_units.h"
#include "ui/ui_fonts.h"

#include <wx/button.h>
#include <wx/textctrl.h>

namespace {

constexpr int kFontHeight = 12;

} // namespace

CDlgInputUser::CDlgInputUser(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8("ユーザー入力")) {
    SetFont(DisplayFont(kFontHeight));
    const wxRect client = PixelsOf(*this, {0, 0, 195, 46});
    SetClientSize(client.GetSize());
    const wxRect editBox = PixelsOf(*this, {10, 15, 122, 14});
    edit_ = new wxTextCtrl(this, kIdInputEdit, "", editBox.GetPosition(), editBox.GetSize());
    const wxRect okBox = PixelsOf(*this, {138, 7, 50, 14});
    auto* ok = new wxButton(this, wxID_OK, "OK", okBox.GetPosition(), okBox.GetSize());
    const wxRect cancelBox = PixelsOf(*this, {138, 24, 50, 14});
    new wxButton(this, wxID_CANCEL, wxString::FromUTF8("キャンセル"), cancelBox.GetPosition(),
                 cancelBox.GetSize());
    ok->SetDefault();
    UseCompactControls(this);
    Bind(wxEVT_BUTTON, &CDlgInputUser::onOk, this, wxID_OK);
    CentreOnParent();
}

int CDlgInputUser::run() {
    edit_->ChangeValue(wxString::FromUTF8(ValidUtf8(text)));
    edit_->SelectAll();
    edit_->SetFocus();
    return ShowModal();
}

void CDlgInputUser::onOk(wxCommandEvent&) {
    text = edit_->GetValue().utf8_string();
    EndModal(wxID_OK);
}
