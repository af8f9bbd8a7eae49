#include "workflow/step_workflow.h"
#include "titles/title_settings.h"

#include "catalogue/folder_scan.h"
#include "geocode/geocode_cache.h"
#include "platform/directory_entries.h"
#include "platform/private_profile.h"
#include "platform/window_messages.h"
#include "titles/assign_titles.h"
#include "titles/hand_title.h"
#include "workflow/geocode_stopped_text.h"
#include "workflow/workflow_texts.h"

StepWorkflow::StepWorkflow(CManageQELFileInfo& catalogue, WorkflowView& view, MessageTarget& window,
                           WorkflowPasses passes)
    : catalogue_(catalogue), view_(view), window_(window), passes_(std::move(passes)) {}

void StepWorkflow::applyState(WorkflowState state) {
    setStepState(view_, state);
    if (const int n = static_cast<int>(state); n >= 0 && n < kWorkflowStateCount) {
        state_ = state;
    }
}

std::optional<std::string> StepWorkflow::chooseFolder(const char* key) {
    const std::string last =
        GetPrivateProfileString(kSettingsFolderSection, key, "", settingsPath_);
    return view_.browseFolder(last, kFolderChooserTitle);
}

void StepWorkflow::rememberFolder(const char* key, const std::string& folder) {
    WritePrivateProfileString(kSettingsFolderSection, key, folder, settingsPath_);
}

void StepWorkflow::onStep1() {
    const auto folder = chooseFolder(kSourceFolderKey);
    if (!folder) {
        return;
    }
    rememberFolder(kSourceFolderKey, *folder);
    view_.setSourceFolderText(*folder);
    clearSource(catalogue_);
    clearResults(catalogue_);
    view_.setCounterText("");
    applyState(WorkflowState::SourceChosen);
}

void StepWorkflow::onStep2() {
    const std::string source = view_.sourceFolderText();
    view_.showSourceNote("");
    // A pulled card would otherwise look like a card without photos, and STEP3 would follow.
    if (const int error = FolderReadError(source); error != 0) {
        clearSource(catalogue_);
        clearResults(catalogue_);
        view_.setCounterText("");
        applyState(WorkflowState::SourceChosen);
        view_.showMessage(SourceUnreadableText(source, error));
        return;
    }
    // From 0: a card without photos sends no count at all.
    view_.setCounterText(PhotoCountText(0));
    applyState(WorkflowState::Searching);
    startSearch(catalogue_, source, &window_);
}

void StepWorkflow::onStep3() {
    applyState(WorkflowState::Analysing);
    // With nothing to analyse no progress would ever arrive to end the step.
    const bool empty = catalogue_.sourceList == nullptr || catalogue_.sourceList->RowCount() == 0;
    analysedPhotos_.count(catalogue_.sourceList);
    view_.setCounterText(ProgressCountText(kAnalysisCountWord, 0, analysedPhotos_.total()));
    GeocodingService service = loadGeocodingService(settingsPath_);
    if (!geocodeCache_) {
        geocodeCache_ = std::make_shared<GeocodeCache>(defaultGeocodeCacheFile());
    }
    service.cache = geocodeCache_;
    if (empty || passes_.analysisWorker == nullptr ||
        startAnalysis(catalogue_, &window_, passes_.analysisWorker, std::move(service)) != 0) {
        applyState(WorkflowState::Analysed);
    }
}

void StepWorkflow::onStep4() {
    applyState(WorkflowState::Titling);
    assignTitles(catalogue_, &view_.titleOptionsView());
    applyState(WorkflowState::Titled);
}

void StepWorkflow::onTitleOptionChanged() {
    retitle(catalogue_, &view_.titleOptionsView());
}

void StepWorkflow::onTitleEdited(QELFileInfo& entry, const std::string& typed) {
    setHandTitle(entry, typed);
    retitle(catalogue_, &view_.titleOptionsView());
}

void StepWorkflow::onResetTitleOptions() {
    dropHandTitles(catalogue_);
    resetTitleOptions(catalogue_.options);
    showTitleOptions(view_.titleOptionsView(), catalogue_.options);
    retitle(catalogue_, &view_.titleOptionsView());
}

bool StepWorkflow::refuseDestination(const std::string& destination, DestinationChecks checks) {
    const std::string source = view_.sourceFolderText();
    const auto refusal =
        DestinationRefusal(CheckDestination(source, destination, checks), source, destination);
    if (refusal) {
        view_.showMessage(*refusal);
    }
    return refusal.has_value();
}

void StepWorkflow::onStep5() {
    const auto folder = chooseFolder(kDestinationFolderKey);
    if (!folder || refuseDestination(*folder, DestinationChecks::Writable)) {
        return;
    }
    rememberFolder(kDestinationFolderKey, *folder);
    applyState(WorkflowState::ChoosingDestination);
    applyState(WorkflowState::DestinationChosen);
    view_.setDestinationFolderText(*folder);
}

void StepWorkflow::onStep6() {
    copyDestination_ = view_.destinationFolderText();
    // A link or a mount may have changed since STEP5. A folder that can no longer be written to
    // is tried all the same, so that the outcome names every photo that did not reach it.
    if (refuseDestination(copyDestination_, DestinationChecks::NestingOnly)) {
        return;
    }
    view_.setWaitCursor(true);
    view_.setCopying(true);
    applyState(WorkflowState::Copying);
    // Until the first photo is done the display would go on showing the analysis.
    showCopyProgress(0, photoCount(catalogue_.results));
    if (!copyRun_.start(catalogue_, copyDestination_, loadCopyOptions(settingsPath_), window_,
                        passes_.copyPhotos)) {
        window_.post({UM_COPY_DONE, 0, 0, nullptr});
    }
}

void StepWorkflow::onStopCopy() {
    if (state_ == WorkflowState::Copying) {
        copyRun_.stop();
    }
}

void StepWorkflow::finishCopy() {
    const bool ran = copyRun_.started();
    CopyOutcome outcome = copyRun_.finish();
    if (!ran) {
        outcome.failures.push_back("コピーを始められませんでした: " + copyDestination_);
    }
    applyState(WorkflowState::Initial);
    view_.setWaitCursor(false);
    // The last progress may have been held back, and a stopped copy sends none for the rest.
    if (const int photos = photoCount(catalogue_.results); ran && photos > 0) {
        showCopyProgress(photos - outcome.tally.stopped, photos);
    }
    // The photos of a folder the search could not read are not in the copy: a failure too.
    const UnreadFolders& unread = unreadFolders(catalogue_);
    std::string counts = CopyCountsText(outcome.tally);
    if (!unread.empty()) {
        counts += " / " + UnreadCountText(unread);
    }
    view_.showCopyNote(counts, copyDestination_);
    // Users format their cards after an import: a failure, and every file that stays on the
    // card, must be seen, not just logged.
    const LeftOnCard& left = leftOnCard(catalogue_);
    const bool failed = !outcome.tally.allDone() || !outcome.failures.empty() || !unread.empty();
    if (failed || !left.empty()) {
        std::vector<std::string> lines = std::move(outcome.failures);
        const std::vector<std::string> unreadLines = UnreadFolderLines(unread);
        lines.insert(lines.end(), unreadLines.begin(), unreadLines.end());
        const std::vector<std::string> leftLines = NotImportedLines(left);
        lines.insert(lines.end(), leftLines.begin(), leftLines.end());
        const std::string notImported = NotImportedText(left);
        view_.showCopyOutcome(failed ? CopyOutcomeKind::Failed : CopyOutcomeKind::LeftOnCard,
                              notImported.empty() ? counts : counts + "\n" + notImported, lines);
    }
    view_.setCopying(false);
}

void StepWorkflow::showProgress(const WindowMessage& message, const std::string& counterText) {
    const int done = static_cast<int>(message.wParam);
    const int total = static_cast<int>(message.lParam);
    if (done == 1) {
        view_.setProgressRange(1, total);
    }
    view_.setProgressPosition(done);
    view_.setCounterText(counterText);
}

void StepWorkflow::showCopyProgress(int done, int total) {
    view_.setProgressRange(1, total);
    view_.setProgressPosition(done);
    view_.setCounterText(ProgressCountText(kCopyCountWord, done, total));
}

void StepWorkflow::startProbe() {
    if (!passes_.probeService || probeThread_.joinable()) {
        return;
    }
    probeRunning_ = 1;
    probeEnded_ = false;
    probeThread_ = std::thread([this, service = loadGeocodingService(settingsPath_)] {
        const int result =
            passes_.probeService(service, [this] { return probeRunning_.load() == 1; });
        const WParam builtin = isBuiltinGeocodeUrl(service.baseUrl) ? 1 : 0;
        window_.post({UM_SERVICE_ANSWER, builtin, static_cast<LParam>(result), &probeThread_});
        probeEnded_ = true;
    });
}

bool StepWorkflow::fromLeftBehindWorker(const WindowMessage& message) const {
    switch (message.id) {
    case UM_SEARCH_PROGRESS:
    case UM_THUMB_PROGRESS:
        return message.sender != catalogue_.scanJob.get();
    case UM_EXIF_PROGRESS:
    case UM_GEOCODE_STOPPED:
        return message.sender != catalogue_.analysisJob.get();
    default:
        return false;
    }
}

void StepWorkflow::handleMessage(const WindowMessage& message) {
    // A worker that was stopped but could not end has no say in the run that followed it.
    if (fromLeftBehindWorker(message)) {
        return;
    }
    switch (message.id) {
    case UM_SEARCH_PROGRESS:
        if (message.lParam == 1) {
            view_.setProgressPosition(0);
            view_.showSourceNote(SourceNoteText(leftOnCard(catalogue_), unreadFolders(catalogue_)));
            applyState(WorkflowState::Searched);
        } else {
            view_.setCounterText(PhotoCountText(static_cast<int>(message.wParam)));
        }
        break;
    case UM_EXIF_PROGRESS:
        showProgress(message,
                     ProgressCountText(kAnalysisCountWord, analysedPhotos_.done(message.wParam),
                                       analysedPhotos_.total()));
        if (message.wParam == static_cast<WParam>(message.lParam)) {
            applyState(WorkflowState::Analysed);
        }
        break;
    case UM_COPY_PROGRESS:
        showCopyProgress(static_cast<int>(message.wParam), static_cast<int>(message.lParam));
        break;
    case UM_COPY_DONE:
        finishCopy();
        break;
    case UM_SHOW_IMAGE:
        view_.showImageView();
        break;
    case UM_THUMB_PROGRESS:
        view_.showThumbnailPreview(reinterpret_cast<const QELFileInfo*>(message.lParam));
        break;
    case UM_CHECK_SERVICE:
        startProbe();
        break;
    case UM_SERVICE_ANSWER:
        view_.showServiceAnswer(message.lParam == 0, message.wParam == 1);
        break;
    case UM_GEOCODE_STOPPED:
        view_.showNotice(GeocodeStoppedText(static_cast<int>(message.wParam)));
        break;
    default:
        break;
    }
}
