#include "tests/window_fixture.h"
#include "ui/qel_row_layout.h"
#include "ui/sunken_text.h"
#include "workflow/workflow_texts.h"

#include <opencv2/imgcodecs.hpp>
#include <wx/dcclient.h>

namespace {

std::string CounterText(CTessaroDlg* window) {
    return window->FindWindow(kIdCounter)->GetLabel().utf8_string();
}

// A picture as an editor saves it: no EXIF, so its file's time dates it.
void WritePhotoWithoutExif(const std::string& path) {
    cv::Mat picture(60, 80, CV_8UC3, cv::Scalar(200, 90, 30));
    std::vector<std::uint8_t> encoded;
    ASSERT_TRUE(cv::imencode(".jpg", picture, encoded));
    WriteFile(path, std::string(encoded.begin(), encoded.end()));
}

} // namespace

// Space alone takes a card from STEP1 to STEP6: each step that ends hands the focus to the next.
// The counter names what it counts: the photos found, then the photos analysed (not the folders).
TEST_F(MainWindow, spaceWalksTheStepsInTurnAndTheCounterSaysWhatItCounts) {
    ASSERT_NO_FATAL_FAILURE(WritePhotoWithoutExif(card.path() + "DCIM/101CAMERA/IMG_0007.JPG"));
    WriteFile(card.path() + "DCIM/101CAMERA/MVI_0008.MOV", "a video stays on the card");
    open({card.path(), destination.path()});
    const auto focusIsOn = [&](int step) {
        return RunUntil(
            [&] { return wxWindow::FindFocus() == window->FindWindow(kStepButtonIds[step - 1]); });
    };
    const auto space = [&](WorkflowState ended) {
        PressKey(window.get(), WXK_SPACE);
        return RunUntil([&] { return window->workflow().state() == ended; }, 30000);
    };
    ASSERT_TRUE(focusIsOn(1)) << "the window opens with the focus on STEP1";

    ASSERT_TRUE(space(WorkflowState::SourceChosen));
    EXPECT_TRUE(focusIsOn(2));
    ASSERT_TRUE(space(WorkflowState::Searched));
    EXPECT_TRUE(focusIsOn(3)) << "the search disabled every button on its way";
    EXPECT_TRUE(RunUntil([&] { return CounterText(window.get()) == "写真 7 枚"; }))
        << CounterText(window.get());
    EXPECT_EQ(window->FindWindow(kIdSourceFolder)->GetLabel().utf8_string(),
              "読み込まないファイル: 動画 1 本 / その他 1 件 / 隠しフォルダの写真 1 枚 ｜ " +
                  card.path());

    ASSERT_TRUE(space(WorkflowState::Analysed));
    EXPECT_TRUE(focusIsOn(4));
    EXPECT_TRUE(RunUntil([&] { return CounterText(window.get()) == "解析 7／7"; }))
        << CounterText(window.get()) << ": ten entries, three of them folders";
    // Only the photo without EXIF says that its date is its file's.
    for (std::size_t i = 0; i < sourceList()->GetItemCount(); ++i) {
        const QELFileInfo* row = sourceList()->RowRecord(i);
        if (row->isFolder == 0) {
            EXPECT_EQ(ShootingDateLine(*row).ends_with(" (ファイル日時)"),
                      row->name == "IMG_0007.JPG")
                << row->name;
        }
    }
    window->Update();
    ASSERT_TRUE(SaveScreenshot(window.get(), std::string(TESSARO_SCREENSHOT_DIR) + "/steps.png"));

    ASSERT_TRUE(space(WorkflowState::Titled));
    EXPECT_TRUE(focusIsOn(5));
    ASSERT_TRUE(space(WorkflowState::DestinationChosen));
    EXPECT_TRUE(focusIsOn(6));
    copyTheCard([&] { ASSERT_TRUE(space(WorkflowState::Initial)); });
    EXPECT_TRUE(focusIsOn(1)) << "after the copy the user goes on with STEP1";
}

// The widest counts a large card gives fit the counter without losing a digit.
TEST_F(MainWindow, theCounterHoldsTheLongestCountsWhole) {
    open({});
    wxWindow* counter = window->FindWindow(kIdCounter);
    wxClientDC dc(counter);
    dc.SetFont(counter->GetFont());
    const int room = counter->GetClientSize().x - 2 * CSunkenText::kPadding;
    for (const std::string& text :
         {PhotoCountText(99999), ProgressCountText(kAnalysisCountWord, 99999, 99999),
          ProgressCountText("コピー", 99999, 99999)}) {
        EXPECT_LE(dc.GetTextExtent(wxString::FromUTF8(text)).x, room) << text;
    }
}
