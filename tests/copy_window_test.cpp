#include "platform/error_text.h"
#include "platform/file_system_seam.h"
#include "tests/window_fixture.h"
#include "ui/copy_outcome_dlg.h"
#include "ui/sunken_text.h"
#include "workflow/workflow_texts.h"

// The generic dialog's header needs the common one before it.
#include <wx/dcmemory.h>
#include <wx/msgdlg.h>

#include <wx/generic/msgdlgg.h>

#include <wx/gauge.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <condition_variable>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string kScreenshots = TESSARO_SCREENSHOT_DIR;

// The outcome's second line: the card's notes.txt and the photo in its .thumbs stay behind.
const std::string kCardLeftBehind = "\n読み込まないファイル: その他 1 件 / 隠しフォルダの写真 1 枚";

// The counts line and the listed failures of the outcome dialog, as shown.
void ReadOutcome(CCopyOutcomeDlg* outcome, std::string& counts, std::vector<std::string>& listed) {
    counts = ControlById<wxStaticText>(outcome, kIdOutcomeCounts)->GetLabel().utf8_string();
    listed = Lines(ControlById<wxTextCtrl>(outcome, kIdFailureList)->GetValue().utf8_string());
}

// Holds the copy of every photo at its close until the test lets it go, as a slow card reader
// holds a copy for a while.
class HeldCopies {
public:
    HeldCopies() {
        FileSystemQuirks quirks;
        quirks.beforeClose = [this](const std::string& destination) {
            if (destination.ends_with(".JPG")) {
                hold();
            }
        };
        SetFileSystemQuirks(quirks);
    }
    ~HeldCopies() {
        SetFileSystemQuirks({});
        std::lock_guard lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }
    // A copy is held that has not been let go.
    bool waiting() const {
        std::lock_guard lock(mutex_);
        return held_ > letGo_;
    }
    void letOneGo() {
        std::lock_guard lock(mutex_);
        ++letGo_;
        changed_.notify_all();
    }

private:
    void hold() {
        std::unique_lock lock(mutex_);
        const int mine = ++held_;
        changed_.wait(lock, [&] { return released_ || letGo_ >= mine; });
    }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    int held_ = 0;
    int letGo_ = 0;
    bool released_ = false;
};

} // namespace

class StepSix : public MainWindow {
protected:
    // STEP1 to STEP5 over the card, the destination given to STEP5's chooser.
    void prepare(const std::string& chosenDestination) {
        open({card.path(), chosenDestination});
        pressStep(1, WorkflowState::SourceChosen);
        pressStep(2, WorkflowState::Searched);
        ASSERT_TRUE(RunUntil([&] { return window->catalogue().scanJob->running.load() == 0; }));
        pressStep(3, WorkflowState::Analysed);
        pressStep(4, WorkflowState::Titled);
    }
};

TEST_F(StepSix, refusesTheCardAsDestinationAndWritesNothingIntoIt) {
    prepare(card.path());
    const std::set<std::string> before = PathsBelow(card.path());
    std::string said;
    DialogAnswer<wxGenericMessageDialog> answer(
        [&](wxGenericMessageDialog* box) { said = box->GetMessage().utf8_string(); });
    Click(window->FindWindow(kIdStep5));
    AwaitAnswer(answer);
    EXPECT_EQ(said.find("コピー先に読み込みフォルダと同じフォルダは選べません。"), 0u) << said;
    EXPECT_EQ(window->workflow().state(), WorkflowState::Titled);
    EXPECT_FALSE(window->FindWindow(kIdStep6)->IsEnabled());
    EXPECT_EQ(window->FindWindow(kIdDestinationFolder)->GetLabel(), "");
    EXPECT_EQ(settingsText().find("FolderSTEP5"), std::string::npos);
    EXPECT_EQ(PathsBelow(card.path()), before);
}

TEST_F(StepSix, refusesADestinationItCannotWriteToAndSaysWhy) {
    // Root writes into a folder whatever its mode, but below a regular file nobody can.
    const bool root = geteuid() == 0;
    std::string closed = destination.path() + "closed/";
    if (root) {
        WriteFile(destination.path() + "file", "not a folder");
        closed = destination.path() + "file/photos/";
    } else {
        std::filesystem::create_directory(closed);
        chmod(closed.c_str(), 0555);
    }
    prepare(closed);
    std::string said;
    DialogAnswer<wxGenericMessageDialog> answer(
        [&](wxGenericMessageDialog* box) { said = box->GetMessage().utf8_string(); });
    Click(window->FindWindow(kIdStep5));
    AwaitAnswer(answer);
    chmod(closed.c_str(), 0755);
    EXPECT_EQ(said.find("コピー先のフォルダに書き込めません（" +
                        ErrorText(root ? ENOTDIR : EACCES) + "）。"),
              0u)
        << said;
    EXPECT_EQ(window->workflow().state(), WorkflowState::Titled);
    EXPECT_FALSE(window->FindWindow(kIdStep6)->IsEnabled());
    EXPECT_EQ(window->FindWindow(kIdDestinationFolder)->GetLabel(), "");
    EXPECT_EQ(settingsText().find("FolderSTEP5"), std::string::npos);
}

TEST_F(StepSix, aDestinationGoneBeforeTheCopyEndsInTheOutcomeWithEveryFailure) {
    prepare(destination.path());
    pressStep(5, WorkflowState::DestinationChosen);
    // Its disk unplugged: the folder is gone and cannot be made again.
    std::string gone = destination.path();
    gone.pop_back();
    std::filesystem::remove_all(gone);
    WriteFile(gone, "not a folder");

    std::string counts;
    std::vector<std::string> listed;
    DialogAnswer<CCopyOutcomeDlg> answer([&](CCopyOutcomeDlg* outcome) {
        ReadOutcome(outcome, counts, listed);
        SaveScreenshot(outcome, kScreenshots + "/copy-outcome.png");
    });
    Click(window->FindWindow(kIdStep6));
    AwaitAnswer(answer);
    const std::string tally = "コピー 0 枚 / 失敗 6 枚";
    EXPECT_EQ(counts, tally + kCardLeftBehind);
    int photos = 0;
    int unopened = 0;
    for (const std::string& line : listed) {
        photos += line.starts_with("コピー先のフォルダがないのでコピーしていません: " + card.path())
                      ? 1
                      : 0;
        unopened +=
            line.starts_with("コピー先のフォルダを開けませんでした: " + destination.path()) ? 1 : 0;
    }
    EXPECT_EQ(photos, 6);
    EXPECT_EQ(unopened, 1) << "said once, and no folder tried below it";
    EXPECT_EQ(window->workflow().state(), WorkflowState::Initial);
    EXPECT_EQ(window->FindWindow(kIdDestinationFolder)->GetLabel().utf8_string(),
              tally + " → " + destination.path());
    EXPECT_TRUE(window->FindWindow(kYearWesternRadio)->IsEnabled()) << "the controls are back";
}

TEST_F(StepSix, aPhotoCutShortOrWrittenAgainSinceStepThreeIsNotCopied) {
    prepare(destination.path());
    pressStep(5, WorkflowState::DestinationChosen);
    std::vector<std::string> photos;
    for (const std::string& path : PathsBelow(card.path())) {
        if (path.ends_with(".JPG") && !path.starts_with(".") &&
            path.find("/.") == std::string::npos) {
            photos.push_back(card.path() + path);
        }
    }
    ASSERT_GE(photos.size(), 2u);
    const std::string cut = photos[0];
    const std::string rewritten = photos[1];
    ASSERT_EQ(truncate(cut.c_str(), 100), 0);
    // The same bytes again: only its time tells it was written since.
    const std::string bytes = ReadFile(rewritten);
    WriteFile(rewritten, bytes);
    const timespec later[2] = {{0, UTIME_OMIT}, {time(nullptr) + 60, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, rewritten.c_str(), later, 0), 0);

    std::string counts;
    std::vector<std::string> listed;
    DialogAnswer<CCopyOutcomeDlg> answer(
        [&](CCopyOutcomeDlg* outcome) { ReadOutcome(outcome, counts, listed); });
    Click(window->FindWindow(kIdStep6));
    AwaitAnswer(answer);
    EXPECT_EQ(counts.find("コピー " + std::to_string(photos.size() - 2) + " 枚"), 0u) << counts;
    EXPECT_NE(counts.find("失敗 2 枚"), std::string::npos) << counts;
    for (const std::string& changed : {cut, rewritten}) {
        EXPECT_NE(std::find(listed.begin(), listed.end(),
                            "読み込んだあとで写真が変わったのでコピーしていません: " + changed),
                  listed.end())
            << changed;
    }
    int copies = 0;
    for (const std::string& path : PathsBelow(destination.path())) {
        copies += path.ends_with(".JPG") ? 1 : 0;
    }
    EXPECT_EQ(copies, static_cast<int>(photos.size()) - 2);
}

TEST_F(StepSix, staysAliveAndOutOfReachWhileItCopiesAndExitsOnlyWhenItIsDone) {
    prepare(destination.path());
    pressStep(5, WorkflowState::DestinationChosen);
    const RecordList& entries = window->catalogue().results;
    std::vector<std::size_t> photosAt; // where each photo lies among the entries
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i]->isFolder == 0) {
            photosAt.push_back(i);
        }
    }
    ASSERT_GE(photosAt.size(), 4u);
    const std::size_t photos = photosAt.size();
    auto* bar = static_cast<wxGauge*>(window->FindWindow(kIdProgress));
    const auto counter = [&] { return window->FindWindow(kIdCounter)->GetLabel().utf8_string(); };
    HeldCopies held;
    Click(window->FindWindow(kIdStep6));
    // Each photo's copy is held at its close until the window shows how far the copy has come.
    for (std::size_t k = 0; k < photosAt.size(); ++k) {
        ASSERT_TRUE(RunUntil([&] { return held.waiting(); })) << "photo " << k;
        EXPECT_EQ(window->workflow().state(), WorkflowState::Copying);
        // Photos are counted, folders are not, from 0 before the first is done.
        const std::string done = "コピー " + std::to_string(k) + "／" + std::to_string(photos);
        EXPECT_TRUE(RunUntil([&] { return counter() == done; })) << counter() << ", not " << done;
        EXPECT_EQ(bar->GetValue(), static_cast<int>(k));
        if (k == 2) {
            // Nothing the copy reads can change meanwhile, and it cannot be left half done.
            Click(window->FindWindow(kYearDigitsRadio));
            PressKey(window.get(), WXK_ESCAPE);
            window->Close();
            EXPECT_TRUE(window->IsShown());
        }
        held.letOneGo();
    }
    // Without failures, the outcome only names the card's notes.txt, which stays behind.
    copyTheCard([&] {
        ASSERT_TRUE(
            RunUntil([&] { return window->workflow().state() != WorkflowState::Copying; }, 30000));
    });
    EXPECT_FALSE(ControlById<wxRadioButton>(window.get(), kYearDigitsRadio)->GetValue());
    EXPECT_TRUE(
        std::filesystem::exists(destination.path() + "2011(平成23)年/01月01日/10時05分.JPG"));
    EXPECT_EQ(window->FindWindow(kIdDestinationFolder)->GetLabel().utf8_string(),
              "コピー 6 枚 → " + destination.path());
    EXPECT_EQ(counter(), "コピー 6／6");
    // The close asked for during the copy is carried out once it has ended.
    ASSERT_TRUE(RunUntil([&] { return !window->IsShown(); }));
}

TEST_F(StepSix, stopsOnAskingAfterThePhotoAtHandAndNamesThePhotosItDidNotCopy) {
    prepare(destination.path());
    pressStep(5, WorkflowState::DestinationChosen);
    wxWindow* exit = window->FindWindow(kIdExit);
    HeldCopies held;
    Click(window->FindWindow(kIdStep6));
    ASSERT_TRUE(RunUntil([&] { return held.waiting(); }));
    held.letOneGo();
    // The second photo is being written when 中止 is pressed.
    ASSERT_TRUE(RunUntil([&] { return held.waiting(); }));
    EXPECT_EQ(exit->GetLabel().utf8_string(), "中止");
    EXPECT_TRUE(exit->IsEnabled());
    EXPECT_TRUE(RunUntil(
        [&] { return window->FindWindow(kIdCounter)->GetLabel().utf8_string() == "コピー 1／6"; }));
    SaveScreenshot(window.get(), kScreenshots + "/copy-stop.png");
    std::string counts;
    std::vector<std::string> listed;
    std::string exitBehindOutcome;
    DialogAnswer<CCopyOutcomeDlg> answer([&](CCopyOutcomeDlg* outcome) {
        ReadOutcome(outcome, counts, listed);
        exitBehindOutcome = exit->GetLabel().utf8_string();
        SaveScreenshot(outcome, kScreenshots + "/copy-stopped-outcome.png");
    });
    clickAndAwait(kIdExit);
    EXPECT_TRUE(window->IsShown()) << "中止 stops the copy, not the program";
    held.letOneGo();
    AwaitAnswer(answer);

    const std::string tally = "コピー 2 枚 / 中止で未コピー 4 枚";
    EXPECT_EQ(counts, tally + kCardLeftBehind);
    EXPECT_EQ(exitBehindOutcome, "終了") << "nothing is left to stop once the outcome shows";
    ASSERT_EQ(listed.size(), 6u);
    EXPECT_EQ(listed.back(),
              "読み込まない隠しフォルダの写真: " + card.path() + "DCIM/.thumbs/IMG_0001.JPG");
    listed.pop_back();
    EXPECT_EQ(listed.back(), "読み込まないファイル: " + card.path() + "notes.txt");
    listed.pop_back();
    for (const std::string& line : listed) {
        EXPECT_EQ(line.rfind("中止したのでコピーしていません: " + card.path() + "DCIM/", 0), 0u)
            << line;
    }
    // Whole photos, each with its record, and nothing else but folder records and lists.
    int photos = 0;
    for (const std::string& path : PathsBelow(destination.path())) {
        if (path.ends_with(".JPG")) {
            ++photos;
            const std::size_t slash = path.rfind('/');
            const std::string record = path.substr(0, slash + 1) + "TSFXML/" +
                                       path.substr(slash + 1, path.size() - slash - 5) + "TSF.XML";
            EXPECT_TRUE(std::filesystem::exists(destination.path() + record)) << record;
        } else {
            EXPECT_TRUE(path.ends_with("/") || path.ends_with(".hidden") ||
                        path.ends_with("TSF.XML") || path.ends_with("TS1.XML") ||
                        path.ends_with("TS2.XML"))
                << path;
        }
    }
    EXPECT_EQ(photos, 2);
    EXPECT_EQ(window->workflow().state(), WorkflowState::Initial);
    EXPECT_EQ(exit->GetLabel().utf8_string(), "終了");
    EXPECT_EQ(window->FindWindow(kIdCounter)->GetLabel().utf8_string(), "コピー 2／6");
    EXPECT_EQ(window->FindWindow(kIdDestinationFolder)->GetLabel().utf8_string(),
              tally + " → " + destination.path());
}

TEST(CopyOutcome, showsEveryReasonAndTheCountsWholeAndSavesThemAsText) {
    CopyTally tally;
    tally.failed = 67;
    tally.otherFailures = 72;
    tally.stopped = 120;
    tally.fileDated = 12;
    const std::string counts = CopyCountsText(tally);
    const std::string folder = "/media/backup/写真/2019(令和元年)年/10月03日京都府京都市東山区/";
    const std::string longLine =
        "写真をコピーできませんでした: /media/card/DCIM/100CAMERA/IMG_0105.JPG → " + folder +
        "15時06分京都府京都市東山区清水一丁目.JPG: " + ErrorText(EPERM);
    const std::vector<std::string> failures = {longLine,
                                               "フォルダを作成できませんでした: " + folder};
    TempDir saved;
    CCopyOutcomeDlg outcome(nullptr, CopyOutcomeKind::Failed, counts, failures);
    outcome.setSaveFileChooser([&] { return saved.path() + "結果.txt"; });
    outcome.Show();
    auto* list = ControlById<wxTextCtrl>(&outcome, kIdFailureList);
    const long last = static_cast<long>(wxString::FromUTF8(longLine).length()) - 1;
    // The reason at the end of the long line lies inside the list, on a line of its own.
    EXPECT_TRUE(Eventually([&] {
        const wxPoint at = list->PositionToCoords(last);
        if (at == wxDefaultPosition || at.x >= list->GetClientSize().x || at.y <= 0) {
            return ::testing::AssertionFailure() << "the reason ends at " << at.x << ", " << at.y
                                                 << " in " << list->GetClientSize().x;
        }
        return ::testing::AssertionSuccess();
    }));
    auto* shown = ControlById<wxStaticText>(&outcome, kIdOutcomeCounts);
    wxString joined = shown->GetLabel();
    joined.Replace("\n", " ");
    EXPECT_EQ(joined.utf8_string(), counts);
    EXPECT_LE(shown->GetBestSize().x, shown->GetSize().x) << "the counts line is not squeezed";
    EXPECT_LE(shown->GetRect().GetRight(), outcome.GetClientSize().x);
    SaveScreenshot(&outcome, kScreenshots + "/copy-outcome-long.png");

    Click(outcome.FindWindow(kIdSaveOutcome));
    ASSERT_TRUE(RunUntil([&] { return std::filesystem::exists(saved.path() + "結果.txt"); }));
    EXPECT_EQ(ReadFile(saved.path() + "結果.txt"),
              counts + "\n" + failures[0] + "\n" + failures[1] + "\n");
}

TEST(CopyNote, keepsItsCountsWholeAndShortensTheDestination) {
    wxBitmap canvas(1, 1);
    wxMemoryDC dc(canvas);
    dc.SetFont(*wxNORMAL_FONT);
    const wxString counts = wxString::FromUTF8("コピー 62 枚 / 失敗 5 枚 / ほかの失敗 3 件 → ");
    const wxString destination = wxString::FromUTF8("/media/backup/写真/二〇二六年の旅行/沖縄/");
    const int width = dc.GetTextExtent(counts).x + dc.GetTextExtent(destination).x / 2;

    const wxString shown = FitKeepingStart(counts, destination, dc, width);
    EXPECT_TRUE(shown.StartsWith(counts)) << shown.utf8_string();
    EXPECT_NE(shown, counts + destination);
    EXPECT_LE(dc.GetTextExtent(shown).x, width);

    const wxString narrow = FitKeepingStart(counts, destination, dc, width / 4);
    EXPECT_TRUE(narrow.StartsWith(wxString::FromUTF8("コピー"))) << narrow.utf8_string();
    EXPECT_LE(dc.GetTextExtent(narrow).x, width / 4);
}
