#include "platform/file_system_seam.h"
#include "tests/window_fixture.h"
#include "ui/copy_outcome_dlg.h"

// The generic dialog's header needs the common one before it.
#include <wx/msgdlg.h>

#include <wx/generic/msgdlgg.h>

#include <wx/gauge.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <filesystem>
#include <set>

namespace {

const std::string kScreenshots = TESSARO_SCREENSHOT_DIR;

bool AnyDialogShown() {
    for (wxWindow* top : wxTopLevelWindows) {
        if (dynamic_cast<wxDialog*>(top) != nullptr && top->IsShown() &&
            dynamic_cast<CTessaroDlg*>(top) == nullptr) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

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
        for (wxWindow* child : outcome->GetChildren()) {
            if (auto* text = dynamic_cast<wxStaticText*>(child);
                text && text->GetLabel().StartsWith(wxString::FromUTF8("コピー "))) {
                counts = text->GetLabel().utf8_string();
            }
        }
        listed = Lines(ControlById<wxTextCtrl>(outcome, kIdFailureList)->GetValue().utf8_string());
        SaveScreenshot(outcome, kScreenshots + "/copy-outcome.png");
    });
    Click(window->FindWindow(kIdStep6));
    AwaitAnswer(answer);
    EXPECT_EQ(counts, "コピー 0 枚 / 失敗 6 枚 / ほかの失敗 4 件");
    int photos = 0;
    int folders = 0;
    for (const std::string& line : listed) {
        photos += line.starts_with("写真をコピーできませんでした: " + card.path()) ? 1 : 0;
        folders += line.starts_with("フォルダを作成できませんでした: " + gone + "/") ? 1 : 0;
    }
    EXPECT_EQ(photos, 6);
    EXPECT_EQ(folders, 4);
    EXPECT_EQ(window->workflow().state(), WorkflowState::Initial);
    EXPECT_EQ(window->FindWindow(kIdDestinationFolder)->GetLabel().utf8_string(),
              counts + " → " + destination.path());
    EXPECT_TRUE(window->FindWindow(kYearWesternRadio)->IsEnabled()) << "the controls are back";
}

TEST_F(StepSix, staysAliveAndOutOfReachWhileItCopiesAndExitsOnlyWhenItIsDone) {
    prepare(destination.path());
    pressStep(5, WorkflowState::DestinationChosen);
    auto* bar = window->FindWindow(kIdProgress);
    // A destination that takes a while over every file, as a card reader does.
    FileSystemQuirks slow;
    slow.slowClose = std::chrono::milliseconds(120);
    SetFileSystemQuirks(slow);
    Click(window->FindWindow(kIdStep6));
    ASSERT_TRUE(RunUntil([&] { return window->workflow().state() == WorkflowState::Copying; }));
    std::set<std::string> counted;
    std::set<int> barValues;
    const auto watch = [&] {
        counted.insert(window->FindWindow(kIdCounter)->GetLabel().utf8_string());
        barValues.insert(static_cast<wxGauge*>(bar)->GetValue());
        return window->workflow().state() != WorkflowState::Copying;
    };
    RunUntil(watch, 300);
    // Nothing the copy reads can change meanwhile, and it cannot be left half done.
    Click(window->FindWindow(kYearDigitsRadio));
    PressKey(window.get(), WXK_ESCAPE);
    window->Close();
    ASSERT_TRUE(RunUntil(watch, 30000));
    SetFileSystemQuirks({});
    EXPECT_GE(counted.size(), 4u) << "the counter moved while the copy ran";
    EXPECT_GE(barValues.size(), 4u) << "and so did the bar";
    EXPECT_FALSE(ControlById<wxRadioButton>(window.get(), kYearDigitsRadio)->GetValue());
    EXPECT_TRUE(
        std::filesystem::exists(destination.path() + "2011(平成23)年/01月01日/10時05分.JPG"));
    EXPECT_FALSE(AnyDialogShown()) << "a copy without failures ends in a note, not a dialog";
    EXPECT_EQ(window->FindWindow(kIdDestinationFolder)->GetLabel().utf8_string(),
              "コピー 6 枚 → " + destination.path());
    // The close asked for during the copy is carried out once it has ended.
    ASSERT_TRUE(RunUntil([&] { return !window->IsShown(); }));
}
