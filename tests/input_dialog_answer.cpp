#include "tests/input_dialog_answer.h"

#include "tests/window_fixture.h"
#include "ui/dlg_input_user.h"

#include <wx/clipbrd.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <algorithm>

namespace {

bool IsAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

InputDialogAnswer::InputDialogAnswer(std::string typed, int buttonId)
    : typed_(std::move(typed)), buttonId_(buttonId),
      deadline_(std::chrono::steady_clock::now() + std::chrono::seconds(10)) {
    Start(20);
}

void InputDialogAnswer::Notify() {
    CDlgInputUser* dialog = nullptr;
    for (wxWindow* top : wxTopLevelWindows) {
        if (auto* input = dynamic_cast<CDlgInputUser*>(top); input && input->IsShown()) {
            dialog = input;
        }
    }
    if (dialog == nullptr || answered) {
        return;
    }
    auto* edit = ControlById<wxTextCtrl>(dialog, kIdInputEdit);
    if (std::chrono::steady_clock::now() > deadline_) {
        // The dialog's modal loop holds the test: it must end even when the input fails.
        answered = gaveUp = true;
        Stop();
        dialog->EndModal(wxID_CANCEL);
    } else if (!typing_) {
        typing_ = true;
        shownText = edit->GetValue().utf8_string();
        SaveScreenshot(dialog, std::string(TESSARO_SCREENSHOT_DIR) + "/input.png");
        Click(edit);
        wxUIActionSimulator input;
        input.Char('a', wxMOD_CONTROL);
        if (typed_.empty()) {
            input.Char(WXK_DELETE);
        } else if (IsAscii(typed_)) {
            input.Text(typed_.c_str());
        } else {
            // The X server's keyboard has no keys for kana or kanji: pasted, as from an IME.
            if (wxTheClipboard->Open()) {
                wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(typed_)));
                wxTheClipboard->Close();
            }
            input.Char('v', wxMOD_CONTROL);
        }
    } else if (edit->GetValue().utf8_string() == typed_) {
        answered = true;
        Stop();
        Click(dialog->FindWindow(buttonId_));
    }
}

void EditTitle(CWndLbQELFile* list, std::size_t row, InputDialogAnswer& answer) {
    DoubleClickAt(list, RowCentre(list, row));
    ASSERT_TRUE(RunUntil([&] { return answer.answered && !answer.IsRunning(); }));
    ASSERT_FALSE(answer.gaveUp) << "the typed text never reached the dialog";
    // The dialog has closed and the list repainted.
    ASSERT_TRUE(RunUntil([&] {
        return std::none_of(wxTopLevelWindows.begin(), wxTopLevelWindows.end(),
                            [](wxWindow* w) { return dynamic_cast<CDlgInputUser*>(w) != nullptr; });
    }));
}
