#include "platform/directory_entries.h"
#include "tests/input_dialog_answer.h"
#include "tests/window_fixture.h"
#include "ui/dlg_input_user.h"
#include "ui/qel_row_layout.h"
#include "ui/ui_fonts.h"
#include "ui/ui_scale.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dcmemory.h>
#include <wx/radiobut.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <set>

namespace {

const std::vector<std::string> kDefaultTitles = {
    "2010(平成22)年", "08月15日京都府", "09時00分京都市.JPG", "09時01分京都市.JPG", "09時02分.JPG",
    "09時03分.JPG",   "2011(平成23)年", "01月01日",           "10時04分.JPG",       "10時05分.JPG"};

} // namespace

TEST_F(MainWindow, opensAtItsTemplateSizeWithOnlyStep1EnabledAndTheDefaultOptions) {
    open({});
    EXPECT_EQ(window->GetClientSize(), wxSize(875, 686));
    EXPECT_EQ(stepFaces(), "T G G G G G");
    EXPECT_EQ(window->workflow().state(), WorkflowState::Initial);
    EXPECT_TRUE(ControlById<wxRadioButton>(window.get(), kYearBothRadio)->GetValue());
    EXPECT_TRUE(ControlById<wxRadioButton>(window.get(), kDayJapaneseRadio)->GetValue());
    EXPECT_TRUE(ControlById<wxRadioButton>(window.get(), kFolderPrefectureRadio)->GetValue());
    EXPECT_TRUE(ControlById<wxRadioButton>(window.get(), kHourJapaneseRadio)->GetValue());
    EXPECT_TRUE(ControlById<wxRadioButton>(window.get(), kFileMunicipalityRadio)->GetValue());
    const auto* fileParts = ControlById<wxChoice>(window.get(), kFileCombo);
    ASSERT_EQ(fileParts->GetCount(), 5u);
    EXPECT_EQ(fileParts->GetString(2).utf8_string(), "前のファイル名");
    EXPECT_EQ(fileParts->GetSelection(), 0);
    EXPECT_EQ(window->FindWindow(kIdSourceFolder)->GetLabel(), "");
    // The settings folder of a fresh account has been made.
    EXPECT_TRUE(std::filesystem::is_directory(home.path() + "config/tessaro"));
}

TEST_F(MainWindow, tellsEveryWorkflowStateApartAtAGlance) {
    open({});
    // States 2, 4, 6, 8 and 10 last only while a step runs; here each is applied in turn.
    const char* const expected[] = {
        "T G G G G G", "D T G G G G", "G B G G G G", "D D T G G G", "G G B G G G", "D D D T G G",
        "D D D B G G", "D D D D T G", "G G G G B G", "D D D D D T", "G G G G G B",
    };
    for (int state = 0; state < kWorkflowStateCount; ++state) {
        setStepState(*window, WorkflowState{state});
        EXPECT_EQ(stepFaces(), expected[state]) << "state " << state;
    }
}

TEST_F(MainWindow, runsTheStepsOverACardThroughItsButtons) {
    // The first choice is cancelled, the second gives the card without its trailing '/'.
    std::string cardFolder = card.path();
    cardFolder.pop_back();
    open({"", cardFolder, destination.path()});

    clickAndAwait(kIdStep1);
    EXPECT_EQ(window->workflow().state(), WorkflowState::Initial)
        << "a cancelled chooser changes nothing";
    EXPECT_EQ(window->FindWindow(kIdSourceFolder)->GetLabel(), "");

    pressStep(1, WorkflowState::SourceChosen);
    EXPECT_EQ(stepFaces(), "D T G G G G");
    EXPECT_EQ(window->FindWindow(kIdSourceFolder)->GetLabel().utf8_string(), card.path());

    pressStep(2, WorkflowState::Searched);
    ASSERT_TRUE(RunUntil([&] { return window->catalogue().scanJob->running.load() == 0; }));
    ASSERT_TRUE(RunUntil([&] { return sourceList()->GetItemCount() == 9; }));
    EXPECT_EQ(stepFaces(), "D D T G G G");
    EXPECT_EQ(window->FindWindow(kIdCounter)->GetLabel().utf8_string(), "写真 6 枚");
    std::set<std::string> folders;
    std::set<std::string> photos;
    for (std::size_t i = 0; i < sourceList()->GetItemCount(); ++i) {
        const QELFileInfo* row = sourceList()->RowRecord(i);
        (row->isFolder ? folders : photos).insert(row->title);
        if (!row->isFolder) {
            EXPECT_EQ(row->thumbReady, 1) << row->path;
        }
    }
    EXPECT_EQ(folders, (std::set<std::string>{"DCIM", "100CAMERA", "101CAMERA"}));
    EXPECT_EQ(photos, std::set<std::string>(kCardPhotos.begin(), kCardPhotos.end()));

    // Selecting a photo shows it in the image view and the map view; a click on its thumbnail
    // brings the image view up, a click beside it does not.
    const std::size_t photoRow = RowOf(sourceList(), "IMG_0003.JPG");
    const QELFileInfo* photo = sourceList()->RowRecord(photoRow);
    const int left = RowIndent(*photo);
    ClickAt(sourceList(),
            sourceList()->GetItemRect(photoRow).GetLeftTop() + wxPoint(left + 60, 18));
    ASSERT_TRUE(RunUntil([&] { return !views.files.empty(); }));
    EXPECT_EQ(views.files.back(), photo->path);
    EXPECT_EQ(views.positions.back(), std::make_pair(0.0, 0.0));
    EXPECT_EQ(views.imageWindowShown, 0);
    ClickAt(sourceList(),
            sourceList()->GetItemRect(photoRow).GetLeftTop() + wxPoint(left + 10, 18));
    ASSERT_TRUE(RunUntil([&] { return views.imageWindowShown == 1; }));
    // A folder row is shown the same way (the image view finds no picture in it).
    const std::size_t folderRow = RowOf(sourceList(), "DCIM");
    ClickAt(sourceList(), RowCentre(sourceList(), folderRow));
    ASSERT_TRUE(RunUntil([&] { return views.files.back() == card.path() + "DCIM"; }));
    EXPECT_EQ(views.imageWindowShown, 1);
    // "写" and "地" bring the two views up.
    Click(window->FindWindow(kIdImageButton));
    Click(window->FindWindow(kIdMapButton));
    ASSERT_TRUE(RunUntil([&] { return views.imageWindowShown == 2 && views.mapWindowShown == 1; }));

    // The start-up probe and the first of the two photos at one spot asked the geocoding server;
    // the second photo's places came from the cache.
    pressStep(3, WorkflowState::Analysed);
    EXPECT_EQ(stepFaces(), "D D D T G G");
    ASSERT_TRUE(RunUntil(
        [&] { return window->FindWindow(kIdCounter)->GetLabel().utf8_string() == "解析 6／6"; }));
    // What the bar shows agrees with the counter, even after a step as fast as this one.
    EXPECT_TRUE(Eventually([&] { return BarFilled(window->FindWindow(kIdProgress), 1.0); }));
    for (const char* name : {"IMG_0001.JPG", "IMG_0002.JPG"}) {
        const QELFileInfo* placed = sourceList()->RowRecord(RowOf(sourceList(), name));
        EXPECT_EQ(placed->exifStatus, kExifStatusExifTime) << name;
        EXPECT_EQ(placed->shortAddresses.size(), 7u) << name;
    }
    EXPECT_EQ(geocodeRequests.load(), 2);

    pressStep(4, WorkflowState::Titled);
    ASSERT_TRUE(RunUntil([&] { return resultList()->GetItemCount() == 10; }));
    // Drawn without anything else bringing them up: the first row, a year, in its colour.
    EXPECT_TRUE(Eventually([&]() -> ::testing::AssertionResult {
        const wxImage shown = ClientPixels(resultList());
        const wxColour year(kLevel0FolderColor.red, kLevel0FolderColor.green,
                            kLevel0FolderColor.blue);
        const wxColour first(shown.GetRed(4, 4), shown.GetGreen(4, 4), shown.GetBlue(4, 4));
        if (first == year) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "the first row shows " << first.GetAsString();
    }));
    EXPECT_EQ(stepFaces(), "D D D D T G");
    EXPECT_EQ(titles(resultList()), kDefaultTitles);

    // An option change re-titles at once and is stored at once.
    Click(window->FindWindow(kYearWesternRadio));
    ASSERT_TRUE(RunUntil([&] { return titles(resultList())[0] == "2010年"; }));
    EXPECT_NE(settingsText().find("1_1_ShootYear=0"), std::string::npos);

    // A title edited by hand through the input dialog; a cancelled edit keeps the title.
    {
        InputDialogAnswer answer("Kyoto trip", wxID_OK);
        EditTitle(resultList(), 1, answer);
        EXPECT_EQ(answer.shownText, "08月15日京都府");
    }
    EXPECT_EQ(titles(resultList())[1], "Kyoto trip");
    {
        InputDialogAnswer answer("typed in vain", wxID_CANCEL);
        EditTitle(resultList(), 2, answer);
        EXPECT_EQ(answer.shownText, "09時00分京都市.JPG");
    }
    EXPECT_EQ(titles(resultList())[2], "09時00分京都市.JPG");

    ASSERT_TRUE(SaveScreenshot(window.get(), std::string(TESSARO_SCREENSHOT_DIR) + "/main.png"));

    // The file names from the previous names; the edited title stays, and the place list is
    // disabled because such names carry no place.
    auto* fileParts = ControlById<wxChoice>(window.get(), kFileCombo);
    fileParts->SetFocus();
    MovePointerTo(fileParts, wxPoint(2, 2));
    wxUIActionSimulator().Select(wxString::FromUTF8("前のファイル名"));
    ASSERT_TRUE(RunUntil([&] { return titles(resultList())[2] == "IMG_0001.JPG"; }));
    EXPECT_EQ(titles(resultList()),
              (std::vector<std::string>{"2010年", "Kyoto trip", "IMG_0001.JPG", "IMG_0002.JPG",
                                        "IMG_0003.JPG", "IMG_0004.JPG", "2011年", "01月01日",
                                        "IMG_0005.JPG", "IMG_0006.JPG"}));
    EXPECT_FALSE(window->FindWindow(kFilePlaceCombo)->IsEnabled());

    pressStep(5, WorkflowState::DestinationChosen);
    EXPECT_EQ(stepFaces(), "D D D D D T");
    EXPECT_EQ(window->FindWindow(kIdDestinationFolder)->GetLabel().utf8_string(),
              destination.path());

    // The copies, under the titles shown, with their records; both trees stay shown. The
    // counter counts the photos.
    copyTheCard([&] { pressStep(6, WorkflowState::Initial); });
    EXPECT_EQ(stepFaces(), "T G G G G G");
    EXPECT_EQ(sourceList()->GetItemCount(), 9u);
    EXPECT_EQ(resultList()->GetItemCount(), 10u);
    ASSERT_TRUE(RunUntil(
        [&] { return window->FindWindow(kIdCounter)->GetLabel().utf8_string() == "コピー 6／6"; }));
    EXPECT_TRUE(Eventually([&] { return BarFilled(window->FindWindow(kIdProgress), 1.0); }));
    EXPECT_EQ(window->FindWindow(kIdDestinationFolder)->GetLabel().utf8_string(),
              "コピー 6 枚 → " + destination.path());
    for (const char* copy : {"2010年/Kyoto trip/IMG_0001.JPG", "2010年/Kyoto trip/IMG_0004.JPG",
                             "2011年/01月01日/IMG_0006.JPG",
                             "2010年/Kyoto trip/TSFXML/IMG_0001TSF.XML", "TS1XML/2011年TS1.XML"}) {
        EXPECT_TRUE(std::filesystem::exists(destination.path() + copy)) << copy;
    }
    EXPECT_EQ(ReadFile(destination.path() + "2011年/01月01日/IMG_0006.JPG"),
              ReadFile(card.path() + "DCIM/101CAMERA/IMG_0006.JPG"));

    Click(window->FindWindow(kIdExit));
    ASSERT_TRUE(RunUntil([&] { return !window->IsShown(); }));
    EXPECT_EQ(sourceList()->RowCount(), 0u);

    const std::string settings = settingsText();
    EXPECT_NE(settings.find("FolderSTEP1=" + card.path() + "\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("FolderSTEP5=" + destination.path() + "\n"), std::string::npos);
    for (const char* key :
         {"1_1_CB=0", "1_1_ShootYear=0", "2_1_CB=0", "2_1_ShootDay=0", "2_2_CB=0", "2_2_Place=1",
          "3_1_CB=2", "3_1_ShootHour=0", "3_2_CB=0", "3_2_Place=2"}) {
        EXPECT_NE(settings.find(std::string(key) + "\n"), std::string::npos) << key;
    }
}

TEST_F(MainWindow, theResetButtonRestoresTheDefaultsAndRetitles) {
    open({card.path()});
    pressStep(1, WorkflowState::SourceChosen);
    pressStep(2, WorkflowState::Searched);
    pressStep(3, WorkflowState::Analysed);
    pressStep(4, WorkflowState::Titled);
    ASSERT_TRUE(RunUntil([&] { return resultList()->GetItemCount() == 10; }));
    Click(window->FindWindow(kYearDigitsRadio));
    ASSERT_TRUE(RunUntil([&] { return titles(resultList())[0] == "2010"; }));
    {
        InputDialogAnswer answer("朝", wxID_OK);
        EditTitle(resultList(), 2, answer);
    }
    ASSERT_EQ(titles(resultList())[2], "朝.JPG");
    // The defaults drop the titles typed by hand.
    Click(window->FindWindow(kIdResetOptions));
    ASSERT_TRUE(RunUntil([&] { return titles(resultList()) == kDefaultTitles; }));
    EXPECT_TRUE(ControlById<wxRadioButton>(window.get(), kYearBothRadio)->GetValue());
    EXPECT_NE(settingsText().find("1_1_ShootYear=3"), std::string::npos);
}

TEST_F(MainWindow, theDividerMovesFivePixelsAStepEitherWay) {
    open({});
    auto* mover = window->FindWindow(kIdDivider);
    const wxRect source = sourceList()->GetRect();
    const wxRect result = resultList()->GetRect();
    const wxSize size = mover->GetClientSize();
    // The right arrow moves the divider right.
    ClickAt(mover, wxPoint(size.x * 7 / 8, size.y / 2));
    ASSERT_TRUE(RunUntil([&] { return sourceList()->GetRect().width == source.width + 5; }));
    EXPECT_EQ(resultList()->GetRect().x, result.x + 5);
    EXPECT_EQ(resultList()->GetRect().GetRight(), result.GetRight());
    ClickAt(mover, wxPoint(size.x / 8, size.y / 2));
    ClickAt(mover, wxPoint(size.x / 8, size.y / 2));
    ASSERT_TRUE(RunUntil([&] { return sourceList()->GetRect().width == source.width - 5; }));
    EXPECT_EQ(resultList()->GetRect().x, result.x - 5);
}

TEST_F(MainWindow, growsFromItsTemplateSizeWithBothListsAndKeepsTheOptionsAtItsEdges) {
    open({});
    const wxSize minimum = window->GetClientSize();
    window->SetClientSize(600, 400);
    EXPECT_EQ(window->GetClientSize(), minimum) << "the template's size is the least";
    // One divider step first: the lists share the room that is won as the divider left them.
    auto* mover = window->FindWindow(kIdDivider);
    const wxSize arrows = mover->GetClientSize();
    const int sourceWidth = sourceList()->GetRect().width;
    ClickAt(mover, wxPoint(arrows.x * 7 / 8, arrows.y / 2));
    ASSERT_TRUE(RunUntil([&] { return sourceList()->GetRect().width == sourceWidth + 5; }));
    std::vector<wxRect> atMinimum;
    for (wxWindow* child : window->GetChildren()) {
        atMinimum.push_back(child->GetRect());
    }
    const auto moved = [&](int id) { return window->FindWindow(id)->GetRect(); };
    const wxRect source = moved(kIdSourceList);
    const wxRect result = moved(kIdResultList);
    const wxRect lastRadio = moved(kFileAllRadio);
    const wxRect reset = moved(kIdResetOptions);

    // Where each control goes is the layout's own test; here, that the window does it.
    const wxSize growth(525, 214);
    window->SetClientSize(minimum + growth);
    ASSERT_TRUE(RunUntil([&] { return moved(kIdSourceList).height == source.height + 214; }));
    EXPECT_GT(moved(kIdSourceList).width, source.width + 200);
    EXPECT_EQ(moved(kIdResultList).GetRight(), result.GetRight() + growth.x);
    EXPECT_GT(moved(kIdResultList).width, result.width + 200);
    EXPECT_EQ(moved(kFileAllRadio).GetPosition(), lastRadio.GetPosition() + wxPoint(growth.x, 0));
    EXPECT_EQ(moved(kIdResetOptions).GetPosition(), reset.GetPosition() + wxPoint(0, growth.y));
    EXPECT_TRUE(Eventually([&]() -> ::testing::AssertionResult {
        const wxImage shown = ClientPixels(resultList());
        if (shown.IsOk() && shown.GetHeight() == moved(kIdResultList).height - 2) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "the result list is not drawn at its new size";
    }));
    ASSERT_TRUE(SaveScreenshot(window.get(), std::string(TESSARO_SCREENSHOT_DIR) + "/grown.png"));

    // Back at its least size, every control stands where it stood.
    window->SetClientSize(minimum);
    ASSERT_TRUE(RunUntil([&] { return moved(kIdSourceList) == source; }));
    std::size_t i = 0;
    for (wxWindow* child : window->GetChildren()) {
        EXPECT_EQ(child->GetRect(), atMinimum[i++]) << child->GetId();
    }

    // The next start opens at the size the window was left at.
    window->SetClientSize(minimum + growth);
    ASSERT_TRUE(RunUntil([&] { return window->GetClientSize() == minimum + growth; }));
    clickAndAwait(kIdExit);
    ASSERT_TRUE(RunUntil([&] { return !window->IsShown(); }));
    window.reset();
    open({});
    EXPECT_EQ(window->GetClientSize(), minimum + growth);
    EXPECT_NE(settingsText().find("[Window]"), std::string::npos) << settingsText();
}

TEST_F(MainWindow, drawsTheRowsTextsNoSmallerThanElevenPixels) {
    open({card.path()});
    pressStep(1, WorkflowState::SourceChosen);
    pressStep(2, WorkflowState::Searched);
    pressStep(3, WorkflowState::Analysed);
    const std::size_t row = RowOf(sourceList(), "IMG_0003.JPG");
    const QELFileInfo* photo = sourceList()->RowRecord(row);
    const wxRect rect = sourceList()->GetItemRect(row);
    EXPECT_GE(rect.height, kRowHeight);
    const int left = RowIndent(*photo);
    // The ink of a line between its box's left and right, as tall as it is drawn.
    const auto inkHeight = [&](const wxImage& shown, int from, int to, int top, int bottom) {
        int first = -1;
        int last = -1;
        for (int y = top; y < bottom; ++y) {
            for (int x = from; x < to; ++x) {
                if (shown.GetRed(x, y) < 100 && shown.GetGreen(x, y) < 100) {
                    first = first < 0 ? y : first;
                    last = y;
                    break;
                }
            }
        }
        return first < 0 ? 0 : last - first + 1;
    };
    // "撮影日時：2010年08月15日", the line that was drawn about 7 pixels high.
    EXPECT_TRUE(Eventually([&]() -> ::testing::AssertionResult {
        const int date =
            inkHeight(ClientPixels(sourceList()), rect.x + left + kDateLineInset,
                      rect.x + left + kPlaceLineInset, rect.y + rect.height / 2, rect.GetBottom());
        if (date >= kSmallestTextHeight) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "the date line is " << date << " pixels high";
    }));
}

TEST_F(MainWindow, theCloseBoxExitsLikeTheExitButton) {
    open({card.path()});
    pressStep(1, WorkflowState::SourceChosen);
    pressStep(2, WorkflowState::Searched);
    window->Close();
    ASSERT_TRUE(RunUntil([&] { return !window->IsShown(); }));
    EXPECT_EQ(sourceList()->RowCount(), 0u) << "the trees are cleared on the way out";
    EXPECT_EQ(window->catalogue().mutex, nullptr);
}

TEST_F(MainWindow, enterDoesNothingAndEscapeExits) {
    open({});
    PressKey(window.get(), WXK_RETURN);
    // Input is handled in order: once this click has arrived, so has the Enter.
    Click(window->FindWindow(kYearDigitsRadio));
    ASSERT_TRUE(RunUntil(
        [&] { return ControlById<wxRadioButton>(window.get(), kYearDigitsRadio)->GetValue(); }));
    EXPECT_TRUE(window->IsShown());
    PressKey(window.get(), WXK_ESCAPE);
    ASSERT_TRUE(RunUntil([&] { return !window->IsShown(); }));
}

TEST_F(MainWindow, theBarShowsTheShareOfEntriesTheCounterReads) {
    TempDir single;
    WriteFile(single.path() + "IMG_0001.JPG", "one photo");
    open({single.path()});
    pressStep(1, WorkflowState::SourceChosen);
    pressStep(2, WorkflowState::Searched);
    pressStep(3, WorkflowState::Analysed);
    ASSERT_TRUE(RunUntil(
        [&] { return window->FindWindow(kIdCounter)->GetLabel().utf8_string() == "解析 1／1"; }));
    EXPECT_TRUE(Eventually([&] { return BarFilled(window->FindWindow(kIdProgress), 1.0); }))
        << "one entry of one";
    // A step repaints the buttons at once; the bar still shows its latest value.
    window->setProgressRange(1, 4);
    window->setProgressPosition(1);
    window->repaintStepButtons();
    EXPECT_TRUE(Eventually([&] { return BarFilled(window->FindWindow(kIdProgress), 0.25); }));
}

TEST_F(MainWindow, tabReachesTheStepsInTurnAndSpaceOrEnterPressesAFocusedButton) {
    open({card.path()});
    wxWindow* step1 = window->FindWindow(kIdStep1);
    const auto tabTo = [&](wxWindow* target) {
        for (int i = 0; i < 60 && wxWindow::FindFocus() != target; ++i) {
            PressKey(window.get(), WXK_TAB);
        }
        return wxWindow::FindFocus() == target;
    };
    ASSERT_TRUE(tabTo(step1));
    const wxImage focused = ClientPixels(step1);
    PressKey(window.get(), WXK_SPACE);
    ASSERT_TRUE(
        RunUntil([&] { return window->workflow().state() == WorkflowState::SourceChosen; }));
    EXPECT_TRUE(RunUntil([&] { return wxWindow::FindFocus() == window->FindWindow(kIdStep2); }))
        << "STEP2 comes next";
    // The focus ring is what tells the two faces of STEP1 apart now.
    EXPECT_TRUE(Eventually([&]() -> ::testing::AssertionResult {
        const wxImage unfocused = ClientPixels(step1);
        const auto bytes = static_cast<std::size_t>(focused.GetWidth() * focused.GetHeight() * 3);
        if (std::memcmp(focused.GetData(), unfocused.GetData(), bytes) != 0) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "STEP1 looks as it did with the focus";
    }));

    ASSERT_TRUE(tabTo(window->FindWindow(kIdImageButton)));
    PressKey(window.get(), WXK_RETURN);
    ASSERT_TRUE(RunUntil([&] { return views.imageWindowShown == 1; }));
    Click(window->FindWindow(kYearDigitsRadio));
    ASSERT_TRUE(tabTo(window->FindWindow(kIdResetOptions)));
    PressKey(window.get(), WXK_RETURN);
    ASSERT_TRUE(RunUntil(
        [&] { return ControlById<wxRadioButton>(window.get(), kYearBothRadio)->GetValue(); }));
}

TEST_F(MainWindow, listsEveryFolderInNameOrderWhateverOrderTheFileSystemGives) {
    TempDir unordered;
    std::vector<std::string> names;
    for (const char* name : {"IMG_0003.JPG", "img_0004.jpg", "IMG_0010.JPG", "IMG_0011.JPG",
                             "IMG_0012.JPG", "IMG_0100.JPG", "Img_0101.JPG", "IMG_0102.JPG"}) {
        WriteFile(unordered.path() + name, "x");
        names.push_back(name);
    }
    std::vector<std::string> given;
    EnumerateDirectory(unordered.path(),
                       [&](const DirectoryEntry& entry) { given.push_back(entry.name); });
    if (given == names) {
        GTEST_SKIP() << "this file system returns names in order";
    }
    open({unordered.path()});
    pressStep(1, WorkflowState::SourceChosen);
    pressStep(2, WorkflowState::Searched);
    ASSERT_TRUE(RunUntil([&] { return sourceList()->GetItemCount() == names.size(); }));
    EXPECT_EQ(titles(sourceList()), names);
}

TEST_F(MainWindow, drawsTheLoadingTextWholeAtTheBottomOfThePreview) {
    open({});
    QELFileInfo record;
    window->showThumbnailPreview(&record);
    wxWindow* preview = window->FindWindow(kIdPreview);
    const auto redInk = [](const wxImage& shown) {
        wxRect ink;
        for (int y = 0; y < shown.GetHeight(); ++y) {
            for (int x = 0; x < shown.GetWidth(); ++x) {
                if (shown.GetRed(x, y) > 150 && shown.GetGreen(x, y) < 120) {
                    ink.Union(wxRect(x, y, 1, 1));
                }
            }
        }
        return ink;
    };
    ASSERT_TRUE(RunUntil([&] { return !redInk(ClientPixels(preview)).IsEmpty(); }));
    const wxImage shown = ClientPixels(preview);
    const wxRect ink = redInk(shown);
    // The same text drawn with room all round, on the same grey, so that its edges count alike.
    wxBitmap free(100, 60, 24);
    {
        wxMemoryDC dc(free);
        dc.SetBackground(wxBrush(wxColour(192, 192, 192)));
        dc.Clear();
        dc.SetFont(DisplayFont(11));
        dc.SetTextForeground(*wxRED);
        dc.DrawText(wxString::FromUTF8("読込中…"), 20, 20);
    }
    const wxRect whole = redInk(free.ConvertToImage());
    EXPECT_EQ(ink.height, whole.height) << "nothing of it cut off";
    EXPECT_NEAR(ink.width, whole.width, 1) << "centred on a whole pixel or not";
    EXPECT_EQ(ink.GetBottom(), shown.GetHeight() - 1);
    window->showThumbnailPreview(nullptr);
}

TEST_F(MainWindow, aRowWhoseLinesAreCutShowsThemWholeInATooltip) {
    open({card.path()});
    pressStep(1, WorkflowState::SourceChosen);
    pressStep(2, WorkflowState::Searched);
    pressStep(3, WorkflowState::Analysed);
    const QELFileInfo* placed = sourceList()->RowRecord(RowOf(sourceList(), "IMG_0001.JPG"));
    std::string place;
    for (const std::string& component : placed->shortAddresses) {
        place += component;
    }
    MovePointerTo(sourceList(), RowCentre(sourceList(), RowOf(sourceList(), "IMG_0001.JPG")));
    const std::string whole = "IMG_0001.JPG\n撮影日時：2010年08月15日\n撮影場所：" + place;
    ASSERT_TRUE(RunUntil([&] { return sourceList()->GetToolTipText().utf8_string() == whole; }))
        << sourceList()->GetToolTipText().utf8_string();
    MovePointerTo(sourceList(), RowCentre(sourceList(), RowOf(sourceList(), "IMG_0003.JPG")));
    ASSERT_TRUE(RunUntil([&] { return sourceList()->GetToolTipText().empty(); }))
        << "a row that fits has none";
}
