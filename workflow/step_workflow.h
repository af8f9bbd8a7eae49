#pragma once

#include "catalogue/manage_qel_file_info.h"
#include "exif/analysis_pass.h"
#include "geocode/probe_geocoding_service.h"
#include "workflow/analysed_photos.h"
#include "workflow/copy_run.h"
#include "workflow/destination_check.h"
#include "workflow/start_analysis.h"
#include "workflow/workflow_view.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

// The passes that the step buttons run; tests put their own in.
struct WorkflowPasses {
    AnalysisWorker analysisWorker = ExifAnalysisWorker;
    // Runs on a thread of its own.
    CopyPass copyPhotos = RunCopyPhotos;
    // Runs on a thread of its own and ends its request once `keepGoing` turns false; its result
    // code colours the badge when it is 0.
    std::function<int(const GeocodingService&, const std::function<bool()>& keepGoing)>
        probeService = probeGeocodingService;
};

// The six-step workflow of the main window without the window: what each step button does,
// the start-up and exit sequences, and the handling of the workers' messages. Runs on the UI
// thread only.
class StepWorkflow {
public:
    StepWorkflow(CManageQELFileInfo& catalogue, WorkflowView& view, MessageTarget& window,
                 WorkflowPasses passes);

    // Main-window initialisation: settings file, folder displays, catalogue and title options,
    // state 0, and the service probe posted to the window itself.
    void initialise(const std::string& executablePath, ListView* sourceList, ListView* resultList);
    // Stops the probe and the workers, clears both trees and destroys the catalogue's lock, within
    // `kExitBound` whatever the network does (a copy under way is waited for: it is never cut
    // short). False, with nothing freed, when a worker is stuck beyond that (a read from a
    // network mount that hangs): the caller must then end the process without destroying this
    // object or the catalogue.
    bool exit();

    void onStep1();
    void onStep2();
    void onStep3();
    void onStep4();
    void onStep5();
    void onStep6();
    // 中止 while STEP6 copies: the copy ends after the photo at hand.
    void onStopCopy();
    // A radio button of groups 1 to 5 clicked or a title list's selection changed.
    void onTitleOptionChanged();
    // "初期設定": the default title options, shown and applied; titles typed by hand are dropped.
    void onResetTitleOptions();
    // The user typed `typed` as the title of result entry `entry` (setHandTitle): every title is
    // composed again, and the typed one kept through later option changes.
    void onTitleEdited(QELFileInfo& entry, const std::string& typed);
    void handleMessage(const WindowMessage& message);

    void applyState(WorkflowState state);
    WorkflowState state() const { return state_; }
    const std::string& settingsPath() const { return settingsPath_; }

private:
    // The folder chooser, opened at the folder last chosen under `key`.
    std::optional<std::string> chooseFolder(const char* key);
    void rememberFolder(const char* key, const std::string& folder);
    // The bar by the entries the message reports done, the counter with `counterText`.
    void showProgress(const WindowMessage& message, const std::string& counterText);
    bool fromLeftBehindWorker(const WindowMessage& message) const;
    // A message box saying why, when `destination` may not take copies from the source.
    bool refuseDestination(const std::string& destination, DestinationChecks checks);
    void finishCopy();
    // "コピー 30／67": photos, not folders.
    void showCopyProgress(int done, int total);
    // The probe may wait for a slow service as long as its limits allow: never on this thread.
    void startProbe();

    CManageQELFileInfo& catalogue_;
    WorkflowView& view_;
    MessageTarget& window_;
    WorkflowPasses passes_;
    std::string settingsPath_;
    WorkflowState state_ = WorkflowState::Initial;
    AnalysedPhotos analysedPhotos_;
    std::string copyDestination_;
    CopyRun copyRun_;
    std::thread probeThread_;
    // Kept for the life of the window, so that every STEP3 finds the answers of the ones before.
    std::shared_ptr<GeocodeCache> geocodeCache_;
    std::atomic<int> probeRunning_{0};
    std::atomic<bool> probeEnded_{true};
};

// How long exit waits for the workers to end.
inline constexpr std::chrono::milliseconds kExitBound{800};

inline constexpr char kFolderChooserTitle[] = "フォルダ名の指定";
inline constexpr char kSettingsFolderSection[] = "InitFolder";
inline constexpr char kSourceFolderKey[] = "FolderSTEP1";
inline constexpr char kDestinationFolderKey[] = "FolderSTEP5";
