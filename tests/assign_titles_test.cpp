#include "catalogue/memory_list_view.h"
#include "platform/local_time.h"
#include "tests/fake_title_options_view.h"
#include "tests/test_support.h"
#include "titles/assign_titles.h"
#include "titles/hand_title.h"
#include "titles/title_settings.h"

#include <gtest/gtest.h>

namespace {

std::int64_t Local(int year, int month, int day, int hour, int minute) {
    return LocalToSeconds({year, month, day, hour, minute, 0});
}

class AssignTitles : public ::testing::Test {
protected:
    AssignTitles() { catalogue.initCatalogue(&sources, &results, dir.path() + "tessaroInit.Ini"); }

    QELFileInfo& AddPhoto(const std::string& name, std::int64_t time,
                          std::vector<std::string> addresses = {}) {
        auto photo = std::make_unique<QELFileInfo>();
        photo->path = "/card/DCIM/" + name;
        photo->name = name;
        photo->shootTime = time;
        photo->shortAddresses = std::move(addresses);
        photo->mutex = catalogue.mutex;
        catalogue.photos.push_back(std::move(photo));
        return *catalogue.photos.back();
    }

    // The result tree as "level:title" lines.
    std::vector<std::string> Tree() const {
        std::vector<std::string> lines;
        for (const auto& entry : catalogue.results) {
            lines.push_back(std::to_string(entry->level) + ":" + entry->title);
        }
        return lines;
    }

    TempDir dir;
    MemoryListView sources;
    MemoryListView results;
    CManageQELFileInfo catalogue;
};

using Lines = std::vector<std::string>;
const std::vector<std::string> kKyoto = {"日本", "京都府", "京都市", "東山区"};
const std::vector<std::string> kSapporo = {"日本", "北海道", "札幌市", "中央区"};

} // namespace

TEST_F(AssignTitles, groupsByLocalYearAndMonthDayInShootingOrder) {
    AddPhoto("C.JPG", Local(2011, 1, 1, 0, 0));
    AddPhoto("B.JPG", Local(2010, 12, 31, 23, 59), kKyoto);
    AddPhoto("D.JPG", Local(2012, 1, 1, 9, 30), kSapporo);
    AddPhoto("A.JPG", Local(2010, 12, 31, 8, 5));
    assignTitles(catalogue, nullptr);
    EXPECT_EQ(Tree(),
              (Lines{"0:2010(平成22)年", "1:12月31日京都府", "2:08時05分.JPG",
                     "2:23時59分京都市.JPG", "0:2011(平成23)年", "1:01月01日", "2:00時00分.JPG",
                     "0:2012(平成24)年", "1:01月01日北海道", "2:09時30分札幌市.JPG"}));
    EXPECT_EQ(catalogue.photos.front()->name, "A.JPG");
    EXPECT_EQ(results.Rows().size(), catalogue.results.size());
    for (std::size_t i = 0; i < catalogue.results.size(); ++i) {
        EXPECT_EQ(results.Rows()[i], catalogue.results[i].get());
    }
}

TEST_F(AssignTitles, fillsFolderAndPhotoEntriesFromTheirGroupsAndSources) {
    QELFileInfo& first = AddPhoto("DSC_0001.JPG", Local(2011, 3, 5, 9, 0));
    first.dateTimeOriginalText = "2011:03:05 09:00:00";
    first.beforeNames = {"IMG_1.JPG"};
    first.beforeNameTimes = {"2011:03:05 09:00:00"};
    QELFileInfo& second = AddPhoto("DSC_0002.JPG", Local(2011, 3, 5, 10, 0), kKyoto);
    second.fileDateTimeText = "2011:03:06 08:00:00";
    assignTitles(catalogue, nullptr);
    ASSERT_EQ(catalogue.results.size(), 4u);
    const QELFileInfo& year = *catalogue.results[0];
    const QELFileInfo& day = *catalogue.results[1];
    const QELFileInfo& photo = *catalogue.results[2];
    const QELFileInfo& later = *catalogue.results[3];
    EXPECT_EQ(year.isFolder, 1);
    EXPECT_EQ(year.backColor, kLevel0FolderColor);
    EXPECT_EQ(year.icon, &catalogue.level0Icon);
    EXPECT_EQ(year.oldestOrgPath, "/card/DCIM/DSC_0001.JPG");
    EXPECT_EQ(year.shootTime, first.shootTime);
    EXPECT_TRUE(year.shortAddresses.empty());
    EXPECT_EQ(day.backColor, kLevel1FolderColor);
    EXPECT_EQ(day.icon, &catalogue.level1Icon);
    EXPECT_EQ(day.shortAddresses, kKyoto); // from the first photo that has any
    EXPECT_EQ(day.mutex, catalogue.mutex);
    EXPECT_EQ(photo.isFolder, 0);
    EXPECT_EQ(photo.level, 2);
    EXPECT_EQ(photo.backColor, kPhotoColor);
    EXPECT_EQ(photo.icon, &catalogue.photoIcon);
    EXPECT_EQ(photo.beforeNames, (Lines{"IMG_1.JPG", "DSC_0001.JPG"}));
    EXPECT_EQ(photo.beforeNameTimes, (Lines{"2011:03:05 09:00:00", "2011:03:05 09:00:00"}));
    EXPECT_EQ(later.beforeNameTimes, (Lines{"2011:03:06 08:00:00"}));
    EXPECT_EQ(photo.orgPath, "/card/DCIM/DSC_0001.JPG");
    EXPECT_EQ(photo.orgTitleFileName, "DSC_0001.JPG");
    EXPECT_EQ(photo.linkedThumbnail, &first.thumbnail);
    // The sources stay as they were.
    EXPECT_EQ(first.beforeNames, (Lines{"IMG_1.JPG"}));
}

TEST_F(AssignTitles, ordersEqualTimesByNameInCodePage932Order) {
    const std::int64_t time = Local(2015, 7, 1, 12, 0);
    AddPhoto("漾.JPG", time, kKyoto);  // CP932 E0 40, after the half-width kana
    AddPhoto("ｱ.JPG", time, kSapporo); // CP932 B1, though its UTF-8 sorts after 漾's
    AddPhoto("😀.JPG", time);           // no CP932 form: its UTF-8 bytes F0 ... come last
    AddPhoto("B.JPG", time);
    assignTitles(catalogue, nullptr);
    std::vector<std::string> names;
    for (const auto& photo : catalogue.photos) {
        names.push_back(photo->name);
    }
    EXPECT_EQ(names, (Lines{"B.JPG", "ｱ.JPG", "漾.JPG", "😀.JPG"}));
    EXPECT_EQ(catalogue.results[1]->shortAddresses, kSapporo);
    EXPECT_EQ(Tree()[2], "2:12時00分-1.JPG");
}

TEST_F(AssignTitles, restartsDayCountersPerYearAndFileCountersPerDay) {
    catalogue.options.folder2DateChoice = 1;
    catalogue.options.folder2Place = 2;
    catalogue.options.fileChoice = 3;
    AddPhoto("a.JPG", Local(2010, 5, 1, 9, 0), kKyoto);
    AddPhoto("b.JPG", Local(2010, 5, 2, 9, 0), kKyoto);
    AddPhoto("c.JPG", Local(2010, 5, 2, 10, 0));
    AddPhoto("d.JPG", Local(2011, 5, 1, 9, 0), kKyoto);
    assignTitles(catalogue, nullptr);
    EXPECT_EQ(Tree(), (Lines{"0:2010(平成22)年", "1:1京都市", "2:1.JPG", "1:2京都市", "2:1.JPG",
                             "2:2.JPG", "0:2011(平成23)年", "1:1京都市", "2:1.JPG"}));
}

TEST_F(AssignTitles, retitlesFromTheControlsStoresTheOptionsAndIsIdempotent) {
    AddPhoto("a.JPG", Local(2020, 4, 1, 9, 0), kKyoto);
    AddPhoto("b.JPG", Local(2020, 4, 1, 9, 0), kKyoto);
    FakeTitleOptionsView view;
    showTitleOptions(view, catalogue.options);
    assignTitles(catalogue, &view);
    const Lines defaults{"0:2020(令和2)年", "1:04月01日京都府", "2:09時00分京都市-1.JPG",
                         "2:09時00分京都市-2.JPG"};
    EXPECT_EQ(Tree(), defaults);
    EXPECT_TRUE(view.enabled[kFilePlaceCombo]);
    const int repaints = results.InvalidateCount();

    view.selectComboItem(kFileCombo, 1); // DCF name: no place in the file name
    view.checkRadioButton(kYearWesternRadio, kYearBothRadio, kYearWesternRadio);
    retitle(catalogue, &view);
    EXPECT_FALSE(view.enabled[kFilePlaceCombo]);
    EXPECT_EQ(Tree()[0], "0:2020年");
    EXPECT_EQ(Tree()[2], "2:1.JPG");
    EXPECT_GT(results.InvalidateCount(), repaints);
    TitleOptions stored;
    stored.settingsPath = catalogue.options.settingsPath;
    loadTitleOptions(stored);
    EXPECT_EQ(stored.fileChoice, 1);
    EXPECT_EQ(stored.shootYear, 0);

    for (const int choice : {2, 3, 0, 4, -1}) {
        view.selectComboItem(kFileCombo, choice);
        retitle(catalogue, &view);
        EXPECT_EQ(view.enabled[kFilePlaceCombo], choice != 2 && choice != 3) << choice;
    }
    resetTitleOptions(catalogue.options);
    showTitleOptions(view, catalogue.options);
    retitle(catalogue, &view);
    retitle(catalogue, &view);
    EXPECT_EQ(Tree(), defaults);
}

TEST_F(AssignTitles, makesNoEntriesWithoutPhotosButStillStoresTheOptions) {
    FakeTitleOptionsView view;
    showTitleOptions(view, catalogue.options);
    view.selectComboItem(kFileCombo, 3);
    assignTitles(catalogue, &view);
    EXPECT_TRUE(catalogue.results.empty());
    EXPECT_EQ(results.RowCount(), 0u);
    EXPECT_FALSE(view.enabled[kFilePlaceCombo]);
    EXPECT_NE(ReadFile(catalogue.options.settingsPath).find("3_1_CB=3"), std::string::npos);
}

TEST(HandTitle, keepsOrAddsThePhotosExtensionAndCleansLikeAComposedTitle) {
    QELFileInfo photo;
    photo.orgTitleFileName = "img_0001.jpg";
    EXPECT_EQ(handTitle(photo, "首里城/朝"), "首里城/朝.jpg");
    EXPECT_EQ(handTitle(photo, "朝.JPG"), "朝.JPG");
    EXPECT_EQ(handTitle(photo, "朝.Jpg"), "朝.Jpg");
    EXPECT_EQ(handTitle(photo, "x"), "x.jpg");
    EXPECT_EQ(handTitle(photo, "end. \x01"), "end.jpg");
    photo.orgTitleFileName = "DSC_0001.JPG";
    EXPECT_EQ(handTitle(photo, "朝"), "朝.JPG");
    // Nothing of a name left: no title of the user's.
    for (const char* empty : {"", ".JPG", "..jpg", " . ", "\x02"}) {
        EXPECT_EQ(handTitle(photo, empty), "") << empty;
    }
    QELFileInfo folder;
    folder.isFolder = 1;
    EXPECT_EQ(handTitle(folder, "京都.\x01 "), "京都");
    EXPECT_EQ(handTitle(folder, "旅.JPG"), "旅.JPG");
    EXPECT_EQ(handTitle(folder, ".."), "");
}

TEST_F(AssignTitles, keepsHandTitlesThroughEveryRetitlingUntilTheyAreDropped) {
    AddPhoto("a.JPG", Local(2020, 4, 1, 9, 0), kKyoto);
    AddPhoto("b.JPG", Local(2020, 4, 1, 9, 1), kKyoto);
    AddPhoto("c.JPG", Local(2020, 4, 1, 9, 2), kKyoto);
    FakeTitleOptionsView view;
    showTitleOptions(view, catalogue.options);
    view.selectComboItem(kFileCombo, 3); // 連番: the hand-titled photo still takes its number
    assignTitles(catalogue, &view);
    setHandTitle(*catalogue.results[1], "旅");
    setHandTitle(*catalogue.results[3], "朝");
    retitle(catalogue, &view);
    EXPECT_EQ(Tree(), (Lines{"0:2020(令和2)年", "1:旅", "2:1.JPG", "2:朝.JPG", "2:3.JPG"}));

    view.selectComboItem(kFileCombo, 0);
    retitle(catalogue, &view);
    view.selectComboItem(kFileCombo, 3);
    retitle(catalogue, &view);
    EXPECT_EQ(Tree(), (Lines{"0:2020(令和2)年", "1:旅", "2:1.JPG", "2:朝.JPG", "2:3.JPG"}));

    // An edit that leaves no name gives the composed title back.
    setHandTitle(*catalogue.results[1], " ");
    retitle(catalogue, &view);
    EXPECT_EQ(Tree()[1], "1:04月01日京都府");
    dropHandTitles(catalogue);
    retitle(catalogue, &view);
    EXPECT_EQ(Tree()[3], "2:2.JPG");
}
