#include "tests/input_dialog_answer.h"
#include "tests/window_fixture.h"
#include "ui/qel_row_layout.h"

#include <filesystem>

namespace {

// Whether the title of result row `row` is drawn in blue, the colour of a title typed by hand.
::testing::AssertionResult TitleDrawnInBlue(CWndLbQELFile* list, std::size_t row) {
    const wxImage shown = ClientPixels(list);
    const wxRect rect = list->GetItemRect(row);
    const int left = rect.x + RowIndent(*list->RowRecord(row)) + kPhotoTitleInset;
    for (int y = rect.y; y < rect.y + rect.height / 2; ++y) {
        for (int x = left; x < rect.GetRight(); ++x) {
            if (shown.GetBlue(x, y) > 120 && shown.GetRed(x, y) < 80 && shown.GetGreen(x, y) < 80) {
                return ::testing::AssertionSuccess();
            }
        }
    }
    return ::testing::AssertionFailure() << "row " << row << " has no blue title";
}

} // namespace

TEST_F(MainWindow, aTitleTypedByHandOutlivesOptionChangesReachesTheDiskAndIsFoundAgain) {
    open({card.path(), destination.path(), destination.path()});
    pressStep(1, WorkflowState::SourceChosen);
    pressStep(2, WorkflowState::Searched);
    pressStep(3, WorkflowState::Analysed);
    pressStep(4, WorkflowState::Titled);
    ASSERT_TRUE(RunUntil([&] { return resultList()->GetItemCount() == 10; }));
    {
        InputDialogAnswer answer("首里城/朝", wxID_OK);
        EditTitle(resultList(), 2, answer);
        ASSERT_EQ(answer.shownText, "09時00分京都市.JPG");
    }
    EXPECT_EQ(titles(resultList())[2], "首里城/朝.JPG");
    EXPECT_TRUE(Eventually([&] { return TitleDrawnInBlue(resultList(), 2); }));
    EXPECT_FALSE(TitleDrawnInBlue(resultList(), 3));

    // Another year style, and back: every other title is composed again, the typed one stays.
    Click(window->FindWindow(kYearWesternRadio));
    ASSERT_TRUE(RunUntil([&] { return titles(resultList())[0] == "2010年"; }));
    EXPECT_EQ(titles(resultList())[2], "首里城/朝.JPG");
    Click(window->FindWindow(kYearBothRadio));
    ASSERT_TRUE(RunUntil([&] { return titles(resultList())[0] == "2010(平成22)年"; }));
    EXPECT_EQ(titles(resultList())[2], "首里城/朝.JPG");
    EXPECT_EQ(titles(resultList())[3], "09時01分京都市.JPG");
    SaveScreenshot(window.get(), std::string(TESSARO_SCREENSHOT_DIR) + "/hand_title.png");

    pressStep(5, WorkflowState::DestinationChosen);
    copyTheCard([&] { pressStep(6, WorkflowState::Initial); });
    const std::string day = destination.path() + "2010(平成22)年/08月15日京都府/";
    EXPECT_TRUE(std::filesystem::exists(day + "首里城／朝.JPG"));
    EXPECT_TRUE(std::filesystem::exists(day + "TSFXML/首里城／朝TSF.XML"));

    // A run over the destination finds every photo, each through its record.
    pressStep(1, WorkflowState::SourceChosen);
    pressStep(2, WorkflowState::Searched);
    ASSERT_TRUE(RunUntil([&] { return window->catalogue().scanJob->running.load() == 0; }));
    pressStep(3, WorkflowState::Analysed);
    std::vector<const QELFileInfo*> photos;
    for (std::size_t i = 0; i < sourceList()->GetItemCount(); ++i) {
        if (const QELFileInfo* row = sourceList()->RowRecord(i); row->isFolder == 0) {
            photos.push_back(row);
        }
    }
    ASSERT_EQ(photos.size(), kCardPhotos.size());
    for (const QELFileInfo* photo : photos) {
        const auto lock = LockRecord(*photo);
        EXPECT_FALSE(photo->beforeNames.empty()) << photo->name << " was not found by its record";
    }
    const QELFileInfo* typed = sourceList()->RowRecord(RowOf(sourceList(), "首里城／朝.JPG"));
    EXPECT_EQ(typed->beforeNames, std::vector<std::string>{"IMG_0001.JPG"});
}
