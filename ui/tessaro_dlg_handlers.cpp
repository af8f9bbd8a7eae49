#include "ui/tessaro_dlg.h"

#include "titles/title_options_view.h"
#include "titles/title_settings.h"
#include "ui/control_ids.h"
#include "ui/divider_move.h"
#include "ui/dlg_input_user.h"
#include "ui/entry_view_windows.h"
#include "ui/entry_views.h"
#include "ui/face_button.h"
#include "ui/help_opener.h"
#include "ui/window_size_setting.h"
#include "ui/wnd_lb_qel_file.h"
#include "ui/wnd_map_view.h"
#include "ui/wnd_view_image.h"
#include "ui/wnd_view_qel_image.h"

#include <gtk/gtk.h>
#include <wx/button.h>
#include <wx/spinbutt.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

namespace {

ListRect RectOf(const wxWindow* window) {
    const wxRect r = window->GetRect();
    return {r.x, r.y, r.width, r.height};
}

void Place(wxWindow* window, const ListRect& r) {
    window->SetSize(r.x, r.y, r.width, r.height);
    window->Refresh(false);
}

bool IsPushButton(const wxWindow* window) {
    return dynamic_cast<const wxButton*>(window) != nullptr ||
           dynamic_cast<const CFaceButton*>(window) != nullptr;
}

} // namespace

void CTessaroDlg::bindHandlers() {
    for (const int id : kStepButtonIds) {
        Bind(wxEVT_BUTTON, &CTessaroDlg::onStepButton, this, id);
    }
    for (const int id : kTitleRadioIds) {
        Bind(wxEVT_RADIOBUTTON, &CTessaroDlg::onTitleOptionChanged, this, id);
    }
    Bind(wxEVT_CHOICE, &CTessaroDlg::onTitleOptionChanged, this, kFolder2DateCombo,
         kFilePlaceCombo);
    Bind(wxEVT_BUTTON, &CTessaroDlg::onResetTitleOptions, this, kIdResetOptions);
    Bind(wxEVT_BUTTON, &CTessaroDlg::onHelp, this, kIdHelp);
    Bind(wxEVT_BUTTON, &CTessaroDlg::onViewButton, this, kIdImageButton);
    Bind(wxEVT_BUTTON, &CTessaroDlg::onViewButton, this, kIdMapButton);
    Bind(wxEVT_BUTTON, &CTessaroDlg::onExitButton, this, kIdExit);
    Bind(wxEVT_LISTBOX, &CTessaroDlg::onListSelection, this, kIdSourceList);
    Bind(wxEVT_LISTBOX, &CTessaroDlg::onListSelection, this, kIdResultList);
    Bind(wxEVT_LISTBOX_DCLICK, &CTessaroDlg::onResultDoubleClick, this, kIdResultList);
    Bind(wxEVT_SPIN_UP, &CTessaroDlg::onDividerStep, this, kIdDivider);
    Bind(wxEVT_SPIN_DOWN, &CTessaroDlg::onDividerStep, this, kIdDivider);
    Bind(wxEVT_CHAR_HOOK, &CTessaroDlg::onCharHook, this);
    Bind(wxEVT_SIZE, &CTessaroDlg::onSize, this);
    Bind(wxEVT_CLOSE_WINDOW, &CTessaroDlg::onClose, this);
}

void CTessaroDlg::onStepButton(wxCommandEvent& event) {
    switch (event.GetId()) {
    case kIdStep1:
        workflow_.onStep1();
        break;
    case kIdStep2:
        workflow_.onStep2();
        break;
    case kIdStep3:
        workflow_.onStep3();
        break;
    case kIdStep4:
        workflow_.onStep4();
        break;
    case kIdStep5:
        workflow_.onStep5();
        break;
    case kIdStep6:
        workflow_.onStep6();
        break;
    default:
        return;
    }
    // A new search or a new source empties the trees: the preview must not go on showing a
    // thumbnail of the old ones.
    if (workflow_.state() == WorkflowState::SourceChosen ||
        workflow_.state() == WorkflowState::Searching) {
        preview_->showRecord(nullptr);
    }
}

void CTessaroDlg::onTitleOptionChanged(wxCommandEvent&) {
    workflow_.onTitleOptionChanged();
}

void CTessaroDlg::onResetTitleOptions(wxCommandEvent&) {
    workflow_.onResetTitleOptions();
}

void CTessaroDlg::onHelp(wxCommandEvent&) {
    // The program's own file, not argv[0], which a menu entry gives without a folder.
    OpenHelp(this, wxStandardPaths::Get().GetExecutablePath().utf8_string());
}

void CTessaroDlg::onViewButton(wxCommandEvent& event) {
    if (views_ == nullptr) {
        return;
    }
    if (event.GetId() == kIdImageButton) {
        views_->showImageWindow();
    } else {
        views_->showMapWindow();
    }
}

void CTessaroDlg::onListSelection(wxCommandEvent& event) {
    const CWndLbQELFile* list = event.GetId() == kIdSourceList ? sourceList_ : resultList_;
    const QELFileInfo* record = list->selectedRecord();
    if (record == nullptr || views_ == nullptr) {
        return;
    }
    // The analysis worker may be putting new values in place.
    std::string path;
    double latitude = 0.0;
    double longitude = 0.0;
    {
        const auto lock = LockRecord(*record);
        path = record->path;
        latitude = record->latitude;
        longitude = record->longitude;
    }
    views_->ShowImageFile(path);
    views_->ShowPosition(latitude, longitude);
}

void CTessaroDlg::onResultDoubleClick(wxCommandEvent&) {
    QELFileInfo* record = resultList_->selectedRecord();
    if (record == nullptr) {
        return;
    }
    CDlgInputUser input(this);
    {
        const auto lock = LockRecord(*record);
        input.text = record->title;
    }
    if (input.run() == wxID_OK) {
        workflow_.onTitleEdited(*record, input.text);
    }
}

void CTessaroDlg::onDividerStep(wxSpinEvent& event) {
    // The right arrow (up) proposes a negative step, as the reversed Windows control did.
    const int delta = event.GetEventType() == wxEVT_SPIN_UP ? -1 : 1;
    ListRect source = RectOf(sourceList_);
    ListRect result = RectOf(resultList_);
    if (!MoveDivider(source, result, delta)) {
        wxBell();
        return;
    }
    Place(sourceList_, source);
    Place(resultList_, result);
    // The share of the width the divider now gives the source list holds at every size.
    dividerShare_ = {source.width, source.width + result.width};
}

void CTessaroDlg::onSize(wxSizeEvent& event) {
    event.Skip();
    layoutControls();
}

void CTessaroDlg::onCharHook(wxKeyEvent& event) {
    // While a copy runs no key reaches a control, Escape included.
    if (copying_) {
        return;
    }
    switch (event.GetKeyCode()) {
    case WXK_ESCAPE:
        exitWindow();
        break;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        // Enter presses a focused button; elsewhere it is the dialog's OK, which does nothing.
        if (IsPushButton(FindFocus())) {
            event.Skip();
        }
        break;
    default:
        event.Skip();
        break;
    }
}

void CTessaroDlg::onClose(wxCloseEvent& event) {
    // A copy is never cut short: the window goes once it has ended and told how it went.
    if (copying_ && event.CanVeto()) {
        exitPending_ = true;
        event.Veto();
        return;
    }
    exitWindow();
}

void CTessaroDlg::onExitButton(wxCommandEvent&) {
    if (copying_) {
        workflow_.onStopCopy();
        return;
    }
    exitWindow();
}

void CTessaroDlg::exitWindow() {
    // Gone from the screen at once, however long the workers take to stop; the program ends
    // when its window hides.
    StoreWindowSize(this, workflow_.settingsPath());
    if (ownViews_ != nullptr) {
        ownViews_->imageView()->Hide();
        ownViews_->mapView()->Hide();
    }
    Hide();
    gdk_display_flush(gdk_display_get_default());
    if (!exited_) {
        exited_ = true;
        stoppedCleanly_ = workflow_.exit();
    }
}
