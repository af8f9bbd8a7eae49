#include "ui/tessaro_dlg.h"

#include "image/make_thumbnail.h"
#include "map/static_map_url.h"
#include "platform/error_report.h"
#include "platform/valid_utf8.h"
#include "platform/window_messages.h"
#include "ui/button_faces.h"
#include "ui/compact_theme.h"
#include "ui/control_ids.h"
#include "ui/copy_outcome_dlg.h"
#include "ui/entry_view_windows.h"
#include "ui/face_button.h"
#include "ui/folder_chooser.h"
#include "ui/message_box.h"
#include "ui/progress_bar.h"
#include "ui/sunken_text.h"
#include "ui/tessaro_layout.h"
#include "ui/ui_fonts.h"
#include "ui/ui_scale.h"
#include "ui/window_pictures.h"
#include "ui/window_size_setting.h"
#include "ui/wnd_lb_qel_file.h"
#include "ui/wnd_view_qel_image.h"

#include <gtk/gtk.h>
#include <wx/thread.h>
#include <wx/utils.h>

#include <algorithm>

namespace {
// "MS UI Gothic" 9 point at 96 DPI.
constexpr int kDialogFontHeight = 12;
constexpr char kStopCaption[] = "中止";
constexpr char kSourceNoteSeparator[] = " ｜ ";
} // namespace

CTessaroDlg::CTessaroDlg(const std::string& executablePath)
    : wxDialog(nullptr, wxID_ANY, "Tessaro", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxMAXIMIZE_BOX | wxCLOSE_BOX |
                   wxRESIZE_BORDER),
      executablePath_(executablePath),
      messages_(*this, [this](const WindowMessage& message) { workflow_.handleMessage(message); }),
      workflow_(catalogue_, *this, messages_, WorkflowPasses{}) {
    // The program's main window, not a dialog of another: window managers maximise only those.
    gtk_window_set_type_hint(GTK_WINDOW(GetHandle()), GDK_WINDOW_TYPE_HINT_NORMAL);
    SetFont(DisplayFont(kDialogFontHeight));
    // The template's size is the least the layout needs; the window may grow from it.
    const double scale = UiScale(this);
    minimumClient_ = wxSize(DialogUnitsToPixels(kMainWindowWidth, scale),
                            DialogUnitsToPixels(kMainWindowHeight, scale));
    SetClientSize(minimumClient_);
    SetMinClientSize(minimumClient_);
    createControls();
    applyTabOrder();
    UseCompactControls(this);
    SetIcons(WindowIcons());
    catalogue_.thumbnailMaker = MakeThumbnail;
    workflow_.initialise(executablePath_, sourceList_, resultList_);
    sourceList_->setClickMessage(&messages_, UM_SHOW_IMAGE);
    resultList_->setClickMessage(&messages_, UM_SHOW_IMAGE);
    bindHandlers();
    const bool maximised = RestoreWindowSize(this, workflow_.settingsPath());
    Centre();
    ownViews_ =
        std::make_unique<EntryViewWindows>(this, loadStaticMapService(workflow_.settingsPath()));
    views_ = ownViews_.get();
    if (maximised) {
        Maximize();
    }
    SetErrorReporter([this](const std::string& message) { reportError(message); });
}

CTessaroDlg::~CTessaroDlg() {
    SetErrorReporter(nullptr);
    if (!exited_) {
        workflow_.exit();
    }
    // The lists go with the window's children, after the catalogue has been emptied.
    catalogue_.sourceList = nullptr;
    catalogue_.resultList = nullptr;
}

void CTessaroDlg::showServiceBadge(BadgeState state, bool builtin) {
    const wxBitmap face = ServiceBadgeFace(state, builtin, serviceBadge_->GetClientSize());
    serviceBadge_->setFaces(face, face, face);
    serviceBadge_->SetToolTip(state == BadgeState::Unavailable ? "場所の検索を利用できません" : "");
    serviceBadge_->Update();
}

void CTessaroDlg::showServiceAnswer(bool answered, bool builtin) {
    showServiceBadge(answered ? BadgeState::Answered : BadgeState::Unavailable, builtin);
}

void CTessaroDlg::showNotice(const std::string& text) {
    // Not from inside the message handler: the pass's progress keeps coming while it is read.
    CallAfter([this, text] { showMessage(text); });
}

void CTessaroDlg::setStepEnabled(int step, bool enabled) {
    stepButtons_.at(step - 1)->Enable(enabled);
}

void CTessaroDlg::setStepFaces(int step, StepFace face, DisabledFace disabledFace) {
    CFaceButton* button = stepButtons_.at(step - 1);
    const wxString& caption = stepCaptions_.at(step - 1);
    const wxSize size = button->GetClientSize();
    const bool toDo = face == StepFace::ToDo;
    button->setFaces(
        StepFaceBitmap(caption, toDo ? StepFaceKind::ToDo : StepFaceKind::Done, size),
        StepFaceBitmap(caption, toDo ? StepFaceKind::ToDoPressed : StepFaceKind::DonePressed, size),
        StepFaceBitmap(caption,
                       disabledFace == DisabledFace::Busy ? StepFaceKind::Busy : StepFaceKind::Grey,
                       size));
}

void CTessaroDlg::repaintStepButtons() {
    for (CFaceButton* button : stepButtons_) {
        button->Refresh(false);
        button->Update();
    }
}

void CTessaroDlg::focusStep(int step) {
    CFaceButton* button = stepButtons_.at(step - 1);
    if (button->IsEnabled()) {
        button->SetFocus();
    }
}

std::optional<std::string> CTessaroDlg::browseFolder(const std::string& initialFolder,
                                                     const std::string& title) {
    return BrowseFolder(this, initialFolder, title);
}

void CTessaroDlg::setSourceFolderText(const std::string& text) {
    sourceFolder_ = text;
    const wxString shown = wxString::FromUTF8(ValidUtf8(text));
    sourceFolderDisplay_->SetLabel(shown);
    sourceFolderDisplay_->SetToolTip(shown);
}

// The note comes first and is never cut: it is what the user must read before formatting the card.
void CTessaroDlg::showSourceNote(const std::string& note) {
    if (note.empty()) {
        setSourceFolderText(sourceFolder_);
        return;
    }
    const wxString start = wxString::FromUTF8(ValidUtf8(note + kSourceNoteSeparator));
    const wxString rest = wxString::FromUTF8(ValidUtf8(sourceFolder_));
    sourceFolderDisplay_->SetLabel(start, rest);
    sourceFolderDisplay_->SetToolTip(start + rest);
}

void CTessaroDlg::setDestinationFolderText(const std::string& text) {
    destinationFolder_ = text;
    const wxString shown = wxString::FromUTF8(ValidUtf8(text));
    destinationFolderDisplay_->SetLabel(shown);
    destinationFolderDisplay_->SetToolTip(shown);
}

// The fill shows the share of entries done, as the counter says: 1／1 is a full bar.
void CTessaroDlg::setProgressRange(int low, int high) {
    progressLow_ = low;
    progress_->SetRange(std::max(1, high - low + 1));
}

void CTessaroDlg::setProgressPosition(int position) {
    progress_->SetValue(std::clamp(position - progressLow_ + 1, 0, progress_->GetRange()));
}

void CTessaroDlg::setCounterText(const std::string& text) {
    counterText_ = text;
    // A search reports every photo; the label shows the last count of each burst.
    if (!counterUpdatePending_) {
        counterUpdatePending_ = true;
        CallAfter(&CTessaroDlg::showCounterText);
    }
}

void CTessaroDlg::showCounterText() {
    counterUpdatePending_ = false;
    counter_->SetLabel(wxString::FromUTF8(counterText_));
}

void CTessaroDlg::showThumbnailPreview(const QELFileInfo* record) {
    preview_->showRecord(record);
}

void CTessaroDlg::showImageView() {
    if (views_ != nullptr) {
        views_->showImageWindow();
    }
}

void CTessaroDlg::setWaitCursor(bool waiting) {
    if (waiting) {
        wxBeginBusyCursor();
    } else if (wxIsBusy()) {
        wxEndBusyCursor();
    }
}

void CTessaroDlg::showMessage(const std::string& text) {
    ShowMessageBox(this, text);
}

void CTessaroDlg::reportError(const std::string& message) {
    if (wxThread::IsMain()) {
        showMessage(message);
    } else {
        CallAfter([this, message] { showMessage(message); });
    }
}

// The copy runs off this thread and the window keeps painting; what the user could change
// meanwhile (titles, options, trees) is what the copy reads, so every control but the progress
// display and the step buttons (all disabled while copying) is taken out of reach.
void CTessaroDlg::setCopying(bool copying) {
    if (copying == copying_) {
        return;
    }
    copying_ = copying;
    // While a copy runs, "終了" is its 中止.
    wxWindow* exit = FindWindow(kIdExit);
    if (copying) {
        exitCaption_ = exit->GetLabel();
    }
    exit->SetLabel(copying ? wxString::FromUTF8(kStopCaption) : exitCaption_);
    if (copying) {
        for (wxWindow* child : GetChildren()) {
            const bool step =
                std::find(stepButtons_.begin(), stepButtons_.end(), child) != stepButtons_.end();
            if (!step && child != progress_ && child != counter_ && child != preview_ &&
                child != exit && child->IsThisEnabled()) {
                child->Disable();
                blockedControls_.push_back(child);
            }
        }
        return;
    }
    for (wxWindow* control : blockedControls_) {
        control->Enable();
    }
    blockedControls_.clear();
    if (exitPending_) {
        // After the outcome has been shown.
        CallAfter(&CTessaroDlg::exitWindow);
    }
}

void CTessaroDlg::showCopyNote(const std::string& counts, const std::string& destination) {
    const wxString start = wxString::FromUTF8(ValidUtf8(counts + " → "));
    const wxString rest = wxString::FromUTF8(ValidUtf8(destination));
    destinationFolderDisplay_->SetLabel(start, rest);
    destinationFolderDisplay_->SetToolTip(start + rest);
}

void CTessaroDlg::showCopyFailures(const std::string& counts,
                                   const std::vector<std::string>& failures) {
    // The copy has ended: behind its outcome there is nothing left to stop.
    if (copying_) {
        FindWindow(kIdExit)->SetLabel(exitCaption_);
    }
    CCopyOutcomeDlg outcome(this, counts, failures);
    outcome.ShowModal();
}
