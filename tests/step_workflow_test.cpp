#include "catalogue/memory_list_view.h"
#include "geocode/geocode_answer.h"
#include "platform/error_report.h"
#include "platform/error_text.h"
#include "platform/file_system_seam.h"
#include "platform/message_queue.h"
#include "platform/private_profile.h"
#include "platform/window_messages.h"
#include "tests/recording_view.h"
#include "tests/test_support.h"
#include "titles/title_settings.h"
#include "workflow/step_workflow.h"
#include "workflow/workflow_texts.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

namespace {

std::atomic<bool> gStuckAnalysisGoes{false};

// Reports one entry at a time, as the analysis pass does, until every source row is done.
int CountingAnalysis(AnalysisJob* job) {
    ListView* rows = job->catalogue->sourceList;
    const auto total = static_cast<LParam>(rows->RowCount());
    for (LParam done = 1; done <= total && job->running.load() == 1; ++done) {
        job->window->post({job->progressMessage, static_cast<WParam>(done), total, job});
    }
    job->running = 0;
    return 0;
}

struct Workflow : ::testing::Test {
    TempDir home;
    TempDir card;
    TempDir out;
    RecordingView view;
    MemoryListView sourceRows;
    MemoryListView resultRows;
    CManageQELFileInfo catalogue;
    std::vector<WindowMessage> unhandled;
    std::atomic<int> probes{0};
    std::atomic<int> probeResult{0};
    std::vector<std::string> copyDestinations; // written by the copy's thread
    std::vector<bool> copyVerifies;            // likewise
    CopyTally copyTally;
    std::vector<std::string> failOnCopy; // reported by the copy
    std::unique_ptr<StepWorkflow> workflow;
    MessageQueue window{[this](const WindowMessage& m) { workflow->handleMessage(m); }};

    void SetUp() override {
        setenv("XDG_CONFIG_HOME", (home.path() + "config").c_str(), 1);
        WorkflowPasses passes;
        passes.analysisWorker = CountingAnalysis;
        passes.copyPhotos = [this](CManageQELFileInfo&, const std::string& destination,
                                   const CopyOptions& options, MessageTarget*,
                                   const std::atomic<bool>&) {
            copyDestinations.push_back(destination);
            copyVerifies.push_back(options.verify);
            for (const std::string& failure : failOnCopy) {
                ReportError(failure);
            }
            return copyTally;
        };
        passes.probeService = [this](const GeocodingService&, const std::function<bool()>&) {
            ++probes;
            return probeResult.load();
        };
        workflow = std::make_unique<StepWorkflow>(catalogue, view, window, passes);
        workflow->initialise("/usr/bin/tessaro", &sourceRows, &resultRows);
    }
    void TearDown() override {
        workflow->exit();
        unsetenv("XDG_CONFIG_HOME");
    }

    void searchAndWait() {
        workflow->onStep2();
        ASSERT_TRUE(window.dispatchUntil(
            [&] { return workflow->state() == WorkflowState::Searched; }, 30000));
        ASSERT_TRUE(
            window.dispatchUntil([&] { return catalogue.scanJob->running.load() == 0; }, 30000));
    }
    void chooseSource() {
        view.chooserAnswers.push_back(card.path());
        workflow->onStep1();
    }
    // STEP1 to STEP4 over the card, each pass waited for.
    void titleTheCard() {
        chooseSource();
        searchAndWait();
        workflow->onStep3();
        ASSERT_TRUE(window.dispatchUntil(
            [&] { return workflow->state() == WorkflowState::Analysed; }, 30000));
        workflow->onStep4();
    }
};

} // namespace

TEST_F(Workflow, aFirstStartMakesTheSettingsFolderAndOffersOnlyStepOne) {
    EXPECT_EQ(workflow->settingsPath(), home.path() + "config/tessaro/tessaroInit.Ini");
    EXPECT_TRUE(std::filesystem::is_directory(home.path() + "config/tessaro"));
    EXPECT_EQ(view.sourceFolder, "");
    EXPECT_EQ(view.destinationFolder, "");
    EXPECT_EQ(view.enabledPattern(), "100000");
    EXPECT_EQ(catalogue.options.settingsPath, workflow->settingsPath());
    EXPECT_EQ(probes, 0);
    // The probe runs off this thread; its answer comes back as a message.
    window.dispatch();
    ASSERT_TRUE(window.dispatchUntil([&] { return !view.serviceAnswers.empty(); }, 10000));
    EXPECT_EQ(probes, 1);
    EXPECT_EQ(view.serviceAnswers, std::vector<bool>{true});
    EXPECT_EQ(view.builtinAnswers, std::vector<bool>{true}); // the default endpoint
}

TEST_F(Workflow, leavesTheBadgeGreyWhenTheServiceDoesNotAnswer) {
    probeResult = -100;
    ASSERT_TRUE(window.dispatchUntil([&] { return !view.serviceAnswers.empty(); }, 10000));
    EXPECT_EQ(view.serviceAnswers, std::vector<bool>{false});
    // STEP3 then says once that it looks no places up.
    workflow->handleMessage({UM_GEOCODE_STOPPED, static_cast<WParam>(kGeocodeUnavailable), 0,
                             catalogue.analysisJob.get()});
    ASSERT_EQ(view.notices.size(), 1u);
    EXPECT_NE(view.notices[0].find("撮影場所"), std::string::npos);
}

TEST_F(Workflow, aSecondStartShowsTheFoldersChosenLastTime) {
    chooseSource();
    view.chooserAnswers.push_back(out.path());
    workflow->onStep5();

    RecordingView secondView;
    CManageQELFileInfo secondCatalogue;
    MessageQueue secondWindow([](const WindowMessage&) {});
    StepWorkflow second(secondCatalogue, secondView, secondWindow, {});
    second.initialise("/opt/tessaro/bin/tessaro", nullptr, nullptr);
    EXPECT_EQ(secondView.sourceFolder, card.path());
    EXPECT_EQ(secondView.destinationFolder, out.path());
    second.exit();
}

TEST_F(Workflow, stepOneOffersTheLastFolderAndACancelChangesNothing) {
    WritePrivateProfileString("InitFolder", "FolderSTEP1", "/media/card/",
                              workflow->settingsPath());
    workflow->onStep1();
    EXPECT_EQ(view.chooserInitialFolders.back(), "/media/card/");
    EXPECT_EQ(view.chooserTitles.back(), "フォルダ名の指定");
    EXPECT_EQ(workflow->state(), WorkflowState::Initial);
    EXPECT_EQ(view.sourceFolder, "");

    chooseSource();
    EXPECT_EQ(workflow->state(), WorkflowState::SourceChosen);
    EXPECT_EQ(view.sourceFolder, card.path());
    EXPECT_EQ(GetPrivateProfileString("InitFolder", "FolderSTEP1", "", workflow->settingsPath()),
              card.path());
    EXPECT_EQ(view.enabledPattern(), "110000");
}

TEST_F(Workflow, theSearchCountsPhotosAndEnablesThreeStepsWhenTheWalkEnds) {
    for (const char* name : {"A.JPG", "A.CR3", "B.JPG", "sub/C.JPG", "sub/D.MOV"}) {
        WriteFile(card.path() + name, "x");
    }
    chooseSource();
    workflow->onStep2();
    EXPECT_EQ(workflow->state(), WorkflowState::Searching);
    EXPECT_EQ(view.enabledPattern(), "000000");
    ASSERT_TRUE(
        window.dispatchUntil([&] { return workflow->state() == WorkflowState::Searched; }, 30000));
    EXPECT_EQ(view.counterTexts,
              (std::vector<std::string>{"", "写真 0 枚", "写真 1 枚", "写真 2 枚", "写真 3 枚"}));
    EXPECT_EQ(view.position, 0);
    EXPECT_EQ(view.rangeChanges, 0);
    EXPECT_EQ(view.enabledPattern(), "111000");
    EXPECT_EQ(view.sourceNote, "読み込まないファイル: 動画 1 本");
    // A new search forgets what the last one left behind until its own walk has ended.
    workflow->onStep2();
    EXPECT_EQ(view.sourceNote, "");
    ASSERT_TRUE(
        window.dispatchUntil([&] { return workflow->state() == WorkflowState::Searched; }, 30000));
}

TEST(NotImportedText, countsEachKindThatStaysBehindAndSaysNothingWhenNoneDoes) {
    LeftOnCard left;
    EXPECT_EQ(NotImportedText(left), "");
    for (int i = 0; i < 12; ++i) {
        left.add(LeftKind::Video, "v" + std::to_string(i));
    }
    left.add(LeftKind::Other, "notes.txt");
    EXPECT_EQ(NotImportedText(left), "読み込まないファイル: 動画 12 本 / その他 1 件");
    left.add(LeftKind::RawOnly, "IMG_0003.CR3");
    left.add(LeftKind::Picture, "IMG_0101.HEIC");
    EXPECT_EQ(NotImportedText(left),
              "読み込まないファイル: 動画 12 本 / RAW のみ 1 枚 / ほかの画像 1 枚 / その他 1 件");
    left.add(LeftKind::HiddenPhoto, ".thumbs/IMG_0001.JPG");
    EXPECT_EQ(NotImportedText(left),
              "読み込まないファイル: 動画 12 本 / RAW のみ 1 枚 / ほかの画像 "
              "1 枚 / その他 1 件 / 隠しフォルダの写真 1 枚");
    left.clear();
    left.add(LeftKind::RawOnly, "IMG_0003.CR3");
    EXPECT_EQ(NotImportedText(left), "読み込まないファイル: RAW のみ 1 枚");
}

// The bar counts every entry, the counter only the photos.
TEST_F(Workflow, anAnalysisRunsTheBarFromOneToNAndEndsInStateFiveOnce) {
    for (const char* name : {"A.JPG", "B.JPG", "C.JPG", "sub/D.JPG"}) {
        WriteFile(card.path() + name, "x");
    }
    chooseSource();
    searchAndWait();
    view.counterTexts.clear();
    int stateFives = 0;
    workflow->onStep3();
    EXPECT_EQ(workflow->state(), WorkflowState::Analysing);
    EXPECT_EQ(view.enabledPattern(), "000000");
    const int repaintsBefore = view.repaints;
    ASSERT_TRUE(
        window.dispatchUntil([&] { return workflow->state() == WorkflowState::Analysed; }, 30000));
    stateFives = view.repaints - repaintsBefore;
    window.dispatchUntil([&] { return catalogue.analysisJob->running.load() == 0; }, 5000);
    window.dispatch();
    EXPECT_EQ(view.counterTexts, (std::vector<std::string>{"解析 0／4", "解析 1／4", "解析 2／4",
                                                           "解析 3／4", "解析 3／4", "解析 4／4"}));
    EXPECT_EQ(view.rangeLow, 1);
    EXPECT_EQ(view.rangeHigh, 5);
    EXPECT_EQ(view.rangeChanges, 1);
    EXPECT_EQ(view.position, 5);
    EXPECT_EQ(stateFives, 1);
    EXPECT_EQ(view.enabledPattern(), "111100");
}

TEST_F(Workflow, anAnalysisOfAnEmptySourceDoesNotLeaveEveryStepDisabled) {
    chooseSource();
    searchAndWait();
    workflow->onStep3();
    EXPECT_EQ(workflow->state(), WorkflowState::Analysed);
    EXPECT_EQ(view.enabledPattern(), "111100");
}

TEST_F(Workflow, stepsFourToSixRunTheirPassesAndEndWithOnlyStepOne) {
    WriteFile(card.path() + "A.JPG", "x");
    ASSERT_NO_FATAL_FAILURE(titleTheCard());
    ASSERT_EQ(resultRows.RowCount(), 3u); // year, day, photo
    EXPECT_EQ(resultRows.RowRecord(2)->orgPath, card.path() + "A.JPG");
    EXPECT_EQ(workflow->state(), WorkflowState::Titled);
    EXPECT_EQ(view.enabledPattern(), "111110");

    workflow->onStep5(); // cancelled
    EXPECT_EQ(workflow->state(), WorkflowState::Titled);
    view.chooserAnswers.push_back(out.path());
    const int repaintsBefore = view.repaints;
    workflow->onStep5();
    EXPECT_EQ(view.repaints - repaintsBefore, 2); // through state 8 into 9
    EXPECT_EQ(workflow->state(), WorkflowState::DestinationChosen);
    EXPECT_EQ(view.enabledPattern(), "111111");
    EXPECT_EQ(view.destinationFolder, out.path());

    copyTally.copied = 1;
    WritePrivateProfileString("Service", "VerifyCopies", "0", workflow->settingsPath());
    workflow->onStep6();
    EXPECT_EQ(workflow->state(), WorkflowState::Copying);
    ASSERT_TRUE(
        window.dispatchUntil([&] { return workflow->state() == WorkflowState::Initial; }, 30000));
    EXPECT_EQ(copyDestinations, std::vector<std::string>{out.path()});
    EXPECT_EQ(copyVerifies, std::vector<bool>{false});
    EXPECT_EQ(view.cursorChanges, (std::vector<bool>{true, false}));
    EXPECT_EQ(view.copyingChanges, (std::vector<bool>{true, false}));
    EXPECT_EQ(view.copyNotes, std::vector<std::string>{"コピー 1 枚 → " + out.path()});
    // Photos, from none done to all, also where the pass sent no progress of its own.
    ASSERT_GE(view.counterTexts.size(), 2u);
    EXPECT_EQ(view.counterTexts[view.counterTexts.size() - 2], "コピー 0／1");
    EXPECT_EQ(view.counterTexts.back(), "コピー 1／1");
    EXPECT_TRUE(view.copyFailures.empty()) << "a clean copy ends without a dialog";
    EXPECT_EQ(workflow->state(), WorkflowState::Initial);
    EXPECT_EQ(view.enabledPattern(), "100000");
    EXPECT_EQ(sourceRows.RowCount(), 1u); // the trees stay
}

TEST_F(Workflow, messagesReachTheirControls) {
    QELFileInfo record;
    const ScanJob* search = catalogue.scanJob.get();
    workflow->handleMessage({UM_THUMB_PROGRESS, 0, reinterpret_cast<LParam>(&record), search});
    workflow->handleMessage({UM_THUMB_PROGRESS, 0, 0, search});
    EXPECT_EQ(view.previews, (std::vector<const QELFileInfo*>{&record, nullptr}));
    // A worker left behind, stopped but stuck, speaks for no run of the catalogue's.
    const ScanJob leftBehind;
    workflow->handleMessage({UM_THUMB_PROGRESS, 0, reinterpret_cast<LParam>(&record), &leftBehind});
    workflow->handleMessage({UM_SEARCH_PROGRESS, 0, 1, &leftBehind});
    EXPECT_EQ(view.previews.size(), 2u);
    EXPECT_NE(workflow->state(), WorkflowState::Searched);
    workflow->handleMessage({UM_SHOW_IMAGE, 0, 0, nullptr});
    EXPECT_EQ(view.imageViewShown, 1);
    workflow->applyState(WorkflowState::DestinationChosen);
    workflow->handleMessage({UM_COPY_PROGRESS, 1, 2, nullptr});
    workflow->handleMessage({UM_COPY_PROGRESS, 2, 2, nullptr});
    EXPECT_EQ(view.counterTexts, (std::vector<std::string>{"コピー 1／2", "コピー 2／2"}));
    EXPECT_EQ(workflow->state(), WorkflowState::DestinationChosen);
}

TEST_F(Workflow, startsWithTheStoredTitleOptionsShownAndStoresEveryChange) {
    EXPECT_EQ(view.titleOptions.items.size(), 4u);
    EXPECT_EQ(view.titleOptions.checked,
              (std::set<int>{kYearBothRadio, kDayJapaneseRadio, kFolderPrefectureRadio,
                             kHourJapaneseRadio, kFileMunicipalityRadio}));
    workflow->exit();
    WritePrivateProfileString("Parameter", "1_1_ShootYear", "0", workflow->settingsPath());
    WritePrivateProfileString("Parameter", "3_1_CB", "4", workflow->settingsPath());
    RecordingView fresh;
    StepWorkflow again(catalogue, fresh, window, {});
    again.initialise("/usr/bin/tessaro", &sourceRows, &resultRows);
    EXPECT_TRUE(fresh.titleOptions.checked.count(kYearWesternRadio));
    EXPECT_EQ(fresh.titleOptions.comboSelection(kFileCombo), 4);

    fresh.titleOptions.selectComboItem(kFileCombo, 1);
    again.onTitleOptionChanged();
    EXPECT_EQ(GetPrivateProfileInt("Parameter", "3_1_CB", -9, again.settingsPath()), 1);
    EXPECT_FALSE(fresh.titleOptions.enabled[kFilePlaceCombo]);
    again.onResetTitleOptions();
    EXPECT_EQ(fresh.titleOptions.checked,
              (std::set<int>{kYearBothRadio, kDayJapaneseRadio, kFolderPrefectureRadio,
                             kHourJapaneseRadio, kFileMunicipalityRadio}));
    EXPECT_EQ(GetPrivateProfileInt("Parameter", "1_1_ShootYear", -9, again.settingsPath()), 3);
    EXPECT_TRUE(fresh.titleOptions.enabled[kFilePlaceCombo]);
    again.exit();
    workflow->initialise("/usr/bin/tessaro", &sourceRows, &resultRows);
}

TEST_F(Workflow, refusesADestinationThatIsTheSourceLiesInItOrHoldsIt) {
    WriteFile(card.path() + "DCIM/A.JPG", "x");
    ASSERT_NO_FATAL_FAILURE(titleTheCard());
    const std::string above = std::filesystem::path(card.path()).parent_path().parent_path();
    for (const std::string& refused :
         {card.path(), card.path() + "DCIM/", card.path() + "DCIM/sorted/", above + "/"}) {
        view.chooserAnswers.push_back(refused);
        workflow->onStep5();
        EXPECT_EQ(workflow->state(), WorkflowState::Titled) << refused;
    }
    ASSERT_EQ(view.messages.size(), 4u);
    EXPECT_EQ(view.messages[0].find("コピー先に読み込みフォルダと同じフォルダは選べません。"), 0u);
    EXPECT_EQ(view.messages[2].find("コピー先に読み込みフォルダの中のフォルダは選べません。"), 0u);
    EXPECT_NE(view.messages[2].find("\nコピー先: " + card.path() + "DCIM/sorted/"),
              std::string::npos);
    EXPECT_EQ(view.messages[3].find("コピー先に読み込みフォルダを含むフォルダは選べません。"), 0u);
    // Nor a folder that cannot take the copies.
    WriteFile(out.path() + "file", "not a folder");
    view.chooserAnswers.push_back(out.path() + "file/");
    workflow->onStep5();
    ASSERT_EQ(view.messages.size(), 5u);
    EXPECT_EQ(view.messages[4], "コピー先のフォルダに書き込めません（" + ErrorText(ENOTDIR) +
                                    "）。\n書き込めるフォルダを選んでください。\n\nコピー先: " +
                                    out.path() + "file/");
    EXPECT_EQ(view.destinationFolder, "");
    EXPECT_EQ(GetPrivateProfileString("InitFolder", "FolderSTEP5", "", workflow->settingsPath()),
              "");

    // Accepted at STEP5, the destination has become a link into the card by STEP6.
    TempDir other;
    std::filesystem::create_directory(other.path() + "out");
    view.chooserAnswers.push_back(other.path() + "out/");
    workflow->onStep5();
    ASSERT_EQ(workflow->state(), WorkflowState::DestinationChosen);
    std::filesystem::remove(other.path() + "out");
    std::filesystem::create_directory_symlink(card.path() + "DCIM", other.path() + "out");
    workflow->onStep6();
    EXPECT_EQ(workflow->state(), WorkflowState::DestinationChosen);
    EXPECT_TRUE(copyDestinations.empty());
    ASSERT_EQ(view.messages.size(), 6u);
    EXPECT_EQ(view.messages[5].find("コピー先に読み込みフォルダの中のフォルダは選べません。"), 0u);
}

TEST_F(Workflow, aSourceThatCannotBeReadIsSaidSoAndLeavesStepThreeDisabled) {
    WriteFile(card.path() + "A.JPG", "x");
    chooseSource();
    searchAndWait();
    ASSERT_EQ(sourceRows.RowCount(), 1u);
    std::filesystem::remove_all(card.path());
    workflow->onStep2();
    EXPECT_EQ(workflow->state(), WorkflowState::SourceChosen);
    EXPECT_EQ(view.enabledPattern(), "110000");
    EXPECT_EQ(sourceRows.RowCount(), 0u);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].find("読み込みフォルダを開けません。"), 0u);
    EXPECT_NE(view.messages[0].find(card.path() + ": " + ErrorText(ENOENT)), std::string::npos);
}

TEST_F(Workflow, aCopyWithFailuresEndsInTheOutcomeAndACleanOneInANote) {
    WriteFile(card.path() + "A.JPG", "x");
    WriteFile(card.path() + "B.NEF", "x");
    ASSERT_NO_FATAL_FAILURE(titleTheCard());
    view.chooserAnswers.push_back(out.path());
    workflow->onStep5();
    copyTally = {15 + 1, 1, 1, 2, 0};
    failOnCopy = {"写真をコピーできませんでした: a → b: Input/output error",
                  "写真をコピーできませんでした: c → d: No space left on device"};
    workflow->onStep6();
    ASSERT_TRUE(
        window.dispatchUntil([&] { return workflow->state() == WorkflowState::Initial; }, 30000));
    const std::string counts =
        "コピー 15 枚 / 既にあった 1 枚 / 名前を変えてコピー 1 枚 / 失敗 2 枚";
    EXPECT_EQ(view.copyNotes, std::vector<std::string>{counts + " → " + out.path()});
    ASSERT_EQ(view.copyFailures.size(), 1u);
    EXPECT_EQ(view.copyFailures[0],
              (std::vector<std::string>{
                  counts + "\n読み込まないファイル: RAW のみ 1 枚", failOnCopy[0], failOnCopy[1],
                  "読み込まない RAW（JPEG なし）: " + card.path() + "B.NEF"}));
    EXPECT_EQ(view.outcomeKinds, std::vector<CopyOutcomeKind>{CopyOutcomeKind::Failed});
    EXPECT_EQ(view.copyingChanges, (std::vector<bool>{true, false}));
}

TEST_F(Workflow, aCleanCopyThatLeavesFilesOnTheCardNamesEachOfThem) {
    WriteFile(card.path() + "A.JPG", "x");
    WriteFile(card.path() + "MVI_0002.MP4", "x");
    ASSERT_NO_FATAL_FAILURE(titleTheCard());
    view.chooserAnswers.push_back(out.path());
    workflow->onStep5();
    copyTally.copied = 1;
    workflow->onStep6();
    ASSERT_TRUE(
        window.dispatchUntil([&] { return workflow->state() == WorkflowState::Initial; }, 30000));
    EXPECT_EQ(view.outcomeKinds, std::vector<CopyOutcomeKind>{CopyOutcomeKind::LeftOnCard});
    EXPECT_EQ(view.copyFailures, (std::vector<std::vector<std::string>>{
                                     {"コピー 1 枚\n読み込まないファイル: 動画 1 本",
                                      "読み込まない動画: " + card.path() + "MVI_0002.MP4"}}));
}

// Photos the walk could not reach are not in the copy: the card must not look all imported.
TEST_F(Workflow, aFolderTheSearchCouldNotReadMakesTheCopyAFailureThatNamesIt) {
    WriteFile(card.path() + "A.JPG", "x");
    WriteFile(card.path() + "locked/B.JPG", "x");
    WriteFile(card.path() + ".thumbs/C.JPG", "x");
    FileSystemQuirks quirks;
    quirks.unreadableFor = "locked";
    SetFileSystemQuirks(quirks);
    titleTheCard();
    SetFileSystemQuirks({});
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(view.sourceNote,
              "読めないフォルダ 1 個 / 読み込まないファイル: 隠しフォルダの写真 1 枚");
    view.chooserAnswers.push_back(out.path());
    workflow->onStep5();
    copyTally.copied = 1;
    workflow->onStep6();
    ASSERT_TRUE(
        window.dispatchUntil([&] { return workflow->state() == WorkflowState::Initial; }, 30000));
    const std::string counts = "コピー 1 枚 / 読めなかったフォルダ 1 個";
    EXPECT_EQ(view.copyNotes, std::vector<std::string>{counts + " → " + out.path()});
    EXPECT_EQ(view.outcomeKinds, std::vector<CopyOutcomeKind>{CopyOutcomeKind::Failed});
    EXPECT_EQ(view.copyFailures,
              (std::vector<std::vector<std::string>>{
                  {counts + "\n読み込まないファイル: 隠しフォルダの写真 1 枚",
                   "読めなかったフォルダ: " + card.path() + "locked/: " + ErrorText(EACCES),
                   "読み込まない隠しフォルダの写真: " + card.path() + ".thumbs/C.JPG"}}));
}

TEST_F(Workflow, exitBreaksOffAProbeInFlightAndOwnsUpToAWorkerThatWillNotStop) {
    WorkflowPasses passes;
    // A probe that only ends when told to, as a request to a service that never answers.
    passes.probeService = [](const GeocodingService&, const std::function<bool()>& keepGoing) {
        while (keepGoing()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return -100;
    };
    // An analysis stuck in a read that nothing breaks off, until the test lets it go after exit
    // returned. An exit that waited for it would sleep out the worker's minute and succeed.
    gStuckAnalysisGoes = false;
    passes.analysisWorker = [](AnalysisJob*) {
        WaitUntil([] { return gStuckAnalysisGoes.load(); }, std::chrono::minutes(1));
        return 0;
    };
    RecordingView quietView;
    CManageQELFileInfo quietCatalogue;
    StepWorkflow* quiet = nullptr;
    MessageQueue quietWindow([&](const WindowMessage& m) { quiet->handleMessage(m); });
    StepWorkflow stuck(quietCatalogue, quietView, quietWindow, passes);
    quiet = &stuck;
    stuck.initialise("/usr/bin/tessaro", &sourceRows, nullptr);
    quietWindow.dispatch(); // the probe starts
    ASSERT_EQ(startAnalysis(quietCatalogue, &quietWindow, passes.analysisWorker), 0);

    double start = SleepClock();
    EXPECT_FALSE(stuck.exit()) << "the analysis has not stopped";
    EXPECT_LT(SleepClock() - start,
              std::chrono::duration<double>(kExitBound + std::chrono::milliseconds(300)).count());
    gStuckAnalysisGoes = true;
    ASSERT_TRUE(WaitUntil([&] { return quietCatalogue.analysisJob->ended.load(); }));
    start = SleepClock();
    EXPECT_TRUE(stuck.exit()) << "it has ended by now";
    EXPECT_LT(SleepClock() - start, 0.5);
    EXPECT_EQ(quietCatalogue.mutex, nullptr);
    quietWindow.dispatch();
    EXPECT_TRUE(quietView.serviceAnswers.empty()) << "the probe's answer went with it";
}
