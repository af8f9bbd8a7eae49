#include "platform/private_profile.h"
#include "tests/fake_title_options_view.h"
#include "tests/test_support.h"
#include "titles/title_settings.h"

#include <gtest/gtest.h>

namespace {

TitleOptions Unusual(const std::string& settingsPath) {
    TitleOptions options;
    options.settingsPath = settingsPath;
    options.folder1Choice = 7;
    options.shootYear = 1;
    options.folder2DateChoice = 2;
    options.folder2PlaceChoice = 1;
    options.shootDay = 1;
    options.folder2Place = 4;
    options.fileChoice = 3;
    options.filePlaceChoice = -1;
    options.shootHour = 1;
    options.filePlace = 0;
    return options;
}

bool Same(const TitleOptions& a, const TitleOptions& b) {
    return a.folder1Choice == b.folder1Choice && a.shootYear == b.shootYear &&
           a.folder2DateChoice == b.folder2DateChoice &&
           a.folder2PlaceChoice == b.folder2PlaceChoice && a.shootDay == b.shootDay &&
           a.folder2Place == b.folder2Place && a.fileChoice == b.fileChoice &&
           a.filePlaceChoice == b.filePlaceChoice && a.shootHour == b.shootHour &&
           a.filePlace == b.filePlace;
}

} // namespace

TEST(TitleOptions, roundTripsThroughTheSettingsFileInTheFixedKeyOrder) {
    TempDir dir;
    const std::string ini = dir.path() + "tessaroInit.Ini";
    ASSERT_TRUE(saveTitleOptions(Unusual(ini)));
    EXPECT_EQ(ReadFile(ini), "[Parameter]\n1_1_CB=7\n1_1_ShootYear=1\n2_1_CB=2\n2_1_ShootDay=1\n"
                             "2_2_CB=1\n2_2_Place=4\n3_1_CB=3\n3_1_ShootHour=1\n3_2_CB=-1\n"
                             "3_2_Place=0\n");
    TitleOptions loaded;
    loaded.settingsPath = ini;
    loadTitleOptions(loaded);
    EXPECT_TRUE(Same(loaded, Unusual(ini)));
}

TEST(TitleOptions, keepsCurrentValuesForMissingKeysAndResetsToTheDefaults) {
    TempDir dir;
    const std::string ini = dir.path() + "tessaroInit.Ini";
    WriteFile(ini, "[Parameter]\n3_2_Place=3\n");
    TitleOptions options = Unusual(ini);
    loadTitleOptions(options);
    TitleOptions expected = Unusual(ini);
    expected.filePlace = 3;
    EXPECT_TRUE(Same(options, expected));
    resetTitleOptions(options);
    EXPECT_TRUE(Same(options, TitleOptions{}));
    EXPECT_EQ(options.settingsPath, ini);
    EXPECT_EQ(options.shootYear, 3);
    EXPECT_EQ(options.folder2Place, 1);
    EXPECT_EQ(options.filePlace, 2);
}

TEST(TitleOptions, showsAndReadsBackEveryOptionThroughTheControls) {
    FakeTitleOptionsView view;
    fillTitleCombos(view);
    EXPECT_EQ(view.items[kFileCombo],
              (std::vector<std::string>{"撮影時分", "ＤＣＦ名", "前のファイル名", "連番", "なし"}));
    EXPECT_EQ(view.items[kFolder2DateCombo],
              (std::vector<std::string>{"撮影月日", "連番", "なし"}));
    EXPECT_EQ(view.items[kFolder2PlaceCombo], (std::vector<std::string>{"撮影場所", "なし"}));
    EXPECT_EQ(view.items[kFilePlaceCombo], view.items[kFolder2PlaceCombo]);

    const TitleOptions shown = Unusual("");
    showTitleOptions(view, shown);
    EXPECT_EQ(view.checked, (std::set<int>{kYearDigitsRadio, kDayDigitsRadio, kFolderAllRadio,
                                           kHourDigitsRadio, kFileCountryRadio}));
    TitleOptions read;
    read.folder1Choice = 7;
    readTitleOptionsFromControls(view, read);
    EXPECT_TRUE(Same(read, shown));
}

TEST(TitleOptions, readsAGroupWithoutACheckedButtonAsItsLastValue) {
    FakeTitleOptionsView view;
    TitleOptions options = Unusual("");
    options.shootYear = 9; // a hand-edited value checks no button of its group
    showTitleOptions(view, options);
    EXPECT_EQ(view.checked.count(kYearWesternRadio) + view.checked.count(kYearDigitsRadio) +
                  view.checked.count(kYearEraRadio) + view.checked.count(kYearBothRadio),
              0u);
    view.checked.erase(kDayDigitsRadio);
    view.checked.erase(kFolderAllRadio);
    readTitleOptionsFromControls(view, options);
    EXPECT_EQ(options.shootYear, 3);
    EXPECT_EQ(options.shootDay, 1);
    EXPECT_EQ(options.folder2Place, 4);
    // Two checked buttons in one group: the first in id order wins.
    view.checked.insert({kFolderCountryRadio, kFolderMunicipalityRadio});
    readTitleOptionsFromControls(view, options);
    EXPECT_EQ(options.folder2Place, 0);
}
