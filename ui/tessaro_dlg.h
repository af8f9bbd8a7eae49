#pragma once

#include "catalogue/manage_qel_file_info.h"
#include "ui/button_faces.h"
#include "ui/title_option_controls.h"
#include "ui/window_stretch.h"
#include "ui/wx_message_target.h"
#include "workflow/step_workflow.h"
#include "workflow/workflow_view.h"

#include <wx/dialog.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

class CFaceButton;
class CProgressBar;
class CSunkenText;
class CWndLbQELFile;
class CWndViewQELImage;
class EntryViewWindows;
class EntryViews;
class wxSpinButton;
struct LayoutEntry;

// The main window: the six step buttons, the source and result lists, the title options, the
// progress display and the small buttons. It owns the catalogue; the step workflow decides what
// the buttons do, this class turns clicks into workflow calls and workflow calls into controls.
class CTessaroDlg : public wxDialog, public WorkflowView {
public:
    // `executablePath` names the settings file (its base name is the application's name).
    explicit CTessaroDlg(const std::string& executablePath);
    ~CTessaroDlg() override;

    // The image view and the map view are the window's own; another pair may stand in for them.
    void setEntryViews(EntryViews* views) { views_ = views; }
    EntryViewWindows* entryViewWindows() const { return ownViews_.get(); }

    const StepWorkflow& workflow() const { return workflow_; }
    const CManageQELFileInfo& catalogue() const { return catalogue_; }
    // False once the window has exited with a worker still stuck (a read from a network mount
    // that hangs): the program must then end without destroying the window.
    bool stoppedCleanly() const { return stoppedCleanly_; }

    // WorkflowView
    void setStepEnabled(int step, bool enabled) override;
    void setStepFaces(int step, StepFace face, DisabledFace disabledFace) override;
    void repaintStepButtons() override;
    void focusStep(int step) override;
    std::optional<std::string> browseFolder(const std::string& initialFolder,
                                            const std::string& title) override;
    std::string sourceFolderText() const override { return sourceFolder_; }
    void setSourceFolderText(const std::string& text) override;
    void showSourceNote(const std::string& note) override;
    std::string destinationFolderText() const override { return destinationFolder_; }
    void setDestinationFolderText(const std::string& text) override;
    void setProgressRange(int low, int high) override;
    void setProgressPosition(int position) override;
    void setCounterText(const std::string& text) override;
    void showThumbnailPreview(const QELFileInfo* record) override;
    void showImageView() override;
    void setWaitCursor(bool waiting) override;
    void showServiceAnswer(bool answered, bool builtin) override;
    void showNotice(const std::string& text) override;
    void showMessage(const std::string& text) override;
    void setCopying(bool copying) override;
    void showCopyNote(const std::string& counts, const std::string& destination) override;
    void showCopyFailures(const std::string& counts,
                          const std::vector<std::string>& failures) override;
    TitleOptionsView& titleOptionsView() override { return titleOptions_; }

private:
    // tessaro_dlg_controls.cpp
    void createControls();
    wxWindow* createControl(const LayoutEntry& entry);
    wxWindow* createStepButton(const LayoutEntry& entry, const wxRect& box);
    wxWindow* createFaceButton(const LayoutEntry& entry, const wxRect& box);
    void applyTabOrder();
    // Where the control `id` stands at the window's minimum size.
    const wxRect& placedRect(int id) const;
    void layoutControls();

    // tessaro_dlg_handlers.cpp
    void bindHandlers();
    void onStepButton(wxCommandEvent& event);
    void onTitleOptionChanged(wxCommandEvent& event);
    void onResetTitleOptions(wxCommandEvent& event);
    void onHelp(wxCommandEvent& event);
    void onViewButton(wxCommandEvent& event);
    void onListSelection(wxCommandEvent& event);
    void onResultDoubleClick(wxCommandEvent& event);
    void onDividerStep(wxSpinEvent& event);
    void onSize(wxSizeEvent& event);
    void onCharHook(wxKeyEvent& event);
    void onClose(wxCloseEvent& event);
    void onExitButton(wxCommandEvent& event);
    void exitWindow();
    void showCounterText();
    void showServiceBadge(BadgeState state, bool builtin);
    // The error-report hook: a message box, on the UI thread whichever thread reported.
    void reportError(const std::string& message);

    // A control of the template and its place at the window's minimum size.
    struct PlacedControl {
        const LayoutEntry* entry;
        wxWindow* window;
        wxRect atMinimum;
    };

    std::string executablePath_;
    CManageQELFileInfo catalogue_;
    TitleOptionControls titleOptions_;
    WxMessageTarget messages_;
    StepWorkflow workflow_;
    CWndLbQELFile* sourceList_ = nullptr;
    CWndLbQELFile* resultList_ = nullptr;
    CProgressBar* progress_ = nullptr;
    CSunkenText* sourceFolderDisplay_ = nullptr;
    CSunkenText* destinationFolderDisplay_ = nullptr;
    CSunkenText* counter_ = nullptr;
    wxSpinButton* divider_ = nullptr;
    std::vector<PlacedControl> placed_;
    wxSize minimumClient_;
    DividerShare dividerShare_;
    std::array<CFaceButton*, kStepCount> stepButtons_{};
    std::array<wxString, kStepCount> stepCaptions_;
    CFaceButton* serviceBadge_ = nullptr;
    CWndViewQELImage* preview_ = nullptr;
    std::unique_ptr<EntryViewWindows> ownViews_;
    EntryViews* views_ = nullptr;
    std::string sourceFolder_;
    std::string destinationFolder_;
    // Every range the workflow sets starts at 1.
    int progressLow_ = 1;
    std::string counterText_;
    bool counterUpdatePending_ = false;
    // The controls a running copy has disabled.
    std::vector<wxWindow*> blockedControls_;
    bool copying_ = false;
    wxString exitCaption_;     // the exit button's own, while it reads 中止
    bool exitPending_ = false; // asked for while a copy ran
    bool exited_ = false;
    bool stoppedCleanly_ = true;
};
