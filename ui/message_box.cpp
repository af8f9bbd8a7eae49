#include "ui/message_box.h"

#include "platform/valid_utf8.h"

// The generic dialog's header needs the common one before it.
#include <wx/msgdlg.h>

#include <wx/generic/msgdlgg.h>

void ShowMessageBox(wxWindow* owner, const std::string& text) {
    wxGenericMessageDialog box(owner, wxString::FromUTF8(ValidUtf8(text)), "Tessaro",
                               wxOK | wxICON_WARNING | wxCENTRE);
    box.ShowModal();
}
