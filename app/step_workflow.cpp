#include "app/step_workflow.h"

#include "app/geocode_stopped_text.h"
#include "app/window_messages.h"
#include "catalogue/folder_scan.h"
#include "geocode/geocode_cache.h"
#include "platform/private_profile.h"
#include "records/copy_photos.h"
#include "titles/assign_titles.h"

#include <cstdio>

StepWorkflow::StepWorkflow(CManageQELFileInfo& catalogue, WorkflowView& view, MessageTarget& window,
                           WorkflowPasses passes)
    : catalogue_(catalogue), view_(view), window_(window), passes_(std::move(passes)) {
    if (!passes_.copyPhotos) {
        passes_.copyPhotos = [this](CManageQELFileInfo& records, const std::string& destination) {
            CopyPhotos(records, destination, &window_);
        };
    }
}

void StepWorkflow::applyState(int n) {
    setStepState(view_, n);
    if (n >= 0 && n <= 10) {
        state_ = n;
    }
}

std::optional<std::string> StepWorkflow::chooseFolder(const char* key) {
    const std::string last =
        GetPrivateProfileString(kSettingsFolderSection, key, "", settingsPath_);
    auto folder = view_.browseFolder(last, kFolderChooserTitle);
    if (folder) {
        WritePrivateProfileString(kSettingsFolderSection, key, *folder, settingsPath_);
    }
    return folder;
}

void StepWorkflow::onStep1() {
    const auto folder = chooseFolder(kSourceFolderKey);
    if (!folder) {
        return;
    }
    view_.setSourceFolderText(*folder);
    clearSource(catalogue_);
    clearResults(catalogue_);
    applyState(1);
}

void StepWorkflow::onStep2() {
    applyState(2);
    startSearch(catalogue_, view_.sourceFolderText(), &window_);
}

void StepWorkflow::onStep3() {
    applyState(4);
    // With nothing to analyse no progress would ever arrive to end the step.
    const bool empty = catalogue_.sourceList == nullptr || catalogue_.sourceList->RowCount() == 0;
    GeocodingService service = loadGeocodingService(settingsPath_);
    if (!geocodeCache_) {
        geocodeCache_ = std::make_shared<GeocodeCache>(defaultGeocodeCacheFile());
    }
    service.cache = geocodeCache_;
    if (empty || passes_.analysisWorker == nullptr ||
        startAnalysis(catalogue_, &window_, passes_.analysisWorker, std::move(service)) != 0) {
        applyState(5);
    }
}

void StepWorkflow::onStep4() {
    applyState(6);
    assignTitles(catalogue_, &view_.titleOptionsView());
    applyState(7);
}

void StepWorkflow::onTitleOptionChanged() {
    retitle(catalogue_, &view_.titleOptionsView());
}

void StepWorkflow::onResetTitleOptions() {
    resetTitleOptions(catalogue_.options);
    showTitleOptions(view_.titleOptionsView(), catalogue_.options);
    retitle(catalogue_, &view_.titleOptionsView());
}

void StepWorkflow::onStep5() {
    const auto folder = chooseFolder(kDestinationFolderKey);
    if (!folder) {
        return;
    }
    applyState(8);
    applyState(9);
    view_.setDestinationFolderText(*folder);
}

void StepWorkflow::onStep6() {
    const std::string destination = view_.destinationFolderText();
    view_.setWaitCursor(true);
    applyState(10);
    if (passes_.copyPhotos) {
        passes_.copyPhotos(catalogue_, destination);
    }
    applyState(0);
    view_.setWaitCursor(false);
}

void StepWorkflow::showProgress(const WindowMessage& message) {
    const int done = static_cast<int>(message.wParam);
    const int total = static_cast<int>(message.lParam);
    if (done == 1) {
        view_.setProgressRange(1, total);
    }
    view_.setProgressPosition(done);
    char text[64];
    std::snprintf(text, sizeof text, "%d／%d", done, total);
    view_.setCounterText(text);
}

void StepWorkflow::startProbe() {
    if (!passes_.probeService || probeThread_.joinable()) {
        return;
    }
    probeThread_ = std::thread([this, service = loadGeocodingService(settingsPath_)] {
        const int result = passes_.probeService(service);
        const WParam builtin = isBuiltinGeocodeUrl(service.baseUrl) ? 1 : 0;
        window_.post({UM_SERVICE_ANSWER, builtin, static_cast<LParam>(result), &probeThread_});
    });
}

void StepWorkflow::handleMessage(const WindowMessage& message) {
    switch (message.id) {
    case UM_SEARCH_PROGRESS:
        if (message.lParam == 1) {
            view_.setProgressPosition(0);
            applyState(3);
        } else {
            view_.setCounterText(std::to_string(static_cast<int>(message.wParam)));
        }
        break;
    case UM_EXIF_PROGRESS:
        showProgress(message);
        if (message.wParam == static_cast<WParam>(message.lParam)) {
            applyState(5);
        }
        break;
    case UM_COPY_PROGRESS:
        showProgress(message);
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
