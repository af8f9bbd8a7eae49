#include "titles/title_settings.h"
#include "workflow/step_workflow.h"

#include "platform/make_directories.h"
#include "platform/private_profile.h"
#include "platform/settings_path.h"
#include "platform/window_messages.h"

#include <chrono>
#include <thread>

void StepWorkflow::initialise(const std::string& executablePath, ListView* sourceList,
                              ListView* resultList) {
    settingsPath_ = SettingsFilePath(ApplicationName(executablePath));
    // A settings file that cannot be created behaves like an empty one.
    MakeDirectories(settingsPath_);
    view_.setSourceFolderText(
        GetPrivateProfileString(kSettingsFolderSection, kSourceFolderKey, "", settingsPath_));
    view_.setDestinationFolderText(
        GetPrivateProfileString(kSettingsFolderSection, kDestinationFolderKey, "", settingsPath_));
    catalogue_.initCatalogue(sourceList, resultList, settingsPath_);
    TitleOptionsView& options = view_.titleOptionsView();
    fillTitleCombos(options);
    resetTitleOptions(catalogue_.options);
    loadTitleOptions(catalogue_.options);
    showTitleOptions(options, catalogue_.options);
    applyState(WorkflowState::Initial);
    window_.post({UM_CHECK_SERVICE, 0, 0, nullptr});
}

bool StepWorkflow::exit() {
    const auto deadline = std::chrono::steady_clock::now() + kExitBound;
    probeRunning_ = 0;
    copyRun_.finish();
    if (!stopWorkersWithin(catalogue_, kExitBound)) {
        return false;
    }
    while (!probeEnded_ && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!probeEnded_) {
        return false;
    }
    if (probeThread_.joinable()) {
        probeThread_.join();
        window_.discard(&probeThread_);
    }
    clearSource(catalogue_);
    clearResults(catalogue_);
    catalogue_.destroyMutex();
    return true;
}
