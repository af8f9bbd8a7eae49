#include "catalogue/qel_file_info.h"
#include "platform/local_time.h"
#include "titles/clean_title.h"
#include "titles/compose_title.h"
#include "titles/era_text.h"
#include "titles/place_text.h"

#include <gtest/gtest.h>

namespace {

std::int64_t Local(int year, int month, int day, int hour = 12, int minute = 0) {
    return LocalToSeconds({year, month, day, hour, minute, 0});
}

QELFileInfo Entry(int level, std::int64_t time, std::vector<std::string> addresses = {}) {
    QELFileInfo entry;
    entry.level = level;
    entry.isFolder = level < 2;
    entry.shootTime = time;
    entry.shortAddresses = std::move(addresses);
    return entry;
}

const std::vector<std::string> kGion = {"日本", "京都府", "京都市", "東山区", "祇園町"};
const std::vector<std::string> kBiei = {"日本", "北海道", "上川郡", "美瑛町"};

std::string YearTitle(int style, std::int64_t time, int& counter) {
    TitleOptions options;
    options.shootYear = style;
    return composeYearTitle(Entry(0, time), options, counter);
}

} // namespace

TEST(EraText, beginsEachEraOnItsFirstDayAndCallsItsFirstYearGannen) {
    EXPECT_EQ(eraText({1926, 12, 24}), "大正15");
    EXPECT_EQ(eraText({1926, 12, 25}), "昭和元");
    EXPECT_EQ(eraText({1926, 12, 31}), "昭和元");
    EXPECT_EQ(eraText({1927, 1, 1}), "昭和2");
    EXPECT_EQ(eraText({1989, 1, 7}), "昭和64");
    EXPECT_EQ(eraText({1989, 1, 8}), "平成元");
    EXPECT_EQ(eraText({1990, 1, 1}), "平成2");
    EXPECT_EQ(eraText({2019, 4, 30}), "平成31");
    EXPECT_EQ(eraText({2019, 5, 1}), "令和元");
    EXPECT_EQ(eraText({2020, 1, 1}), "令和2");
    EXPECT_EQ(eraText({1912, 7, 29}), "明治45");
    EXPECT_EQ(eraText({1912, 7, 30}), "大正元");
    EXPECT_EQ(eraText({1873, 1, 1}), "明治6");
    // Before the western calendar, and for a time that could not be converted: no era.
    EXPECT_EQ(eraText({1872, 12, 31}), "");
    EXPECT_EQ(eraText({}), "");
}

TEST(TitleCompose, titlesYearsInEveryStyleAndFallsBackToTheCounterWhenUnset) {
    int counter = 1;
    EXPECT_EQ(YearTitle(0, Local(2011, 5, 1), counter), "2011年");
    EXPECT_EQ(YearTitle(1, Local(2011, 5, 1), counter), "2011");
    // By the local date of the shooting time.
    EXPECT_EQ(YearTitle(2, Local(1989, 1, 7, 23, 59), counter), "昭和64年");
    EXPECT_EQ(YearTitle(3, Local(1989, 1, 8, 0, 0), counter), "1989(平成元)年");
    EXPECT_EQ(YearTitle(2, Local(1990, 1, 1), counter), "平成2年");
    EXPECT_EQ(YearTitle(3, Local(2019, 4, 30, 23, 59), counter), "2019(平成31)年");
    EXPECT_EQ(YearTitle(3, Local(2019, 5, 1, 0, 0), counter), "2019(令和元)年");
    EXPECT_EQ(YearTitle(2, Local(2019, 10, 3), counter), "令和元年");
    EXPECT_EQ(YearTitle(3, Local(2020, 1, 1), counter), "2020(令和2)年");
    EXPECT_EQ(YearTitle(2, Local(1926, 12, 25), counter), "昭和元年");
    EXPECT_EQ(YearTitle(2, Local(1870, 6, 1), counter), "1870年");
    EXPECT_EQ(YearTitle(3, Local(1870, 6, 1), counter), "1870年");
    EXPECT_EQ(counter, 1);
    // Unset: a year in the plain styles (time 0 is 1970 east of UTC), the counter in the others.
    EXPECT_EQ(YearTitle(0, 0, counter), "1970年");
    EXPECT_EQ(YearTitle(1, 0, counter), "1970");
    EXPECT_EQ(YearTitle(2, 0, counter), "1");
    EXPECT_EQ(YearTitle(3, 0, counter), "2");
    EXPECT_EQ(YearTitle(7, Local(2011, 5, 1), counter), "3");
    EXPECT_EQ(counter, 4);
}

TEST(TitleCompose, titlesDaysByDateChoicePlaceChoiceAndStyle) {
    TitleOptions options;
    int counter = 1;
    const QELFileInfo kyoto = Entry(1, Local(2011, 3, 5), kGion);
    EXPECT_EQ(composeDayTitle(kyoto, options, counter), "03月05日京都府");
    options.shootDay = 1;
    options.folder2Place = 2;
    EXPECT_EQ(composeDayTitle(kyoto, options, counter), "0305京都市");
    options.folder2DateChoice = 1;
    EXPECT_EQ(composeDayTitle(kyoto, options, counter), "1京都市");
    EXPECT_EQ(composeDayTitle(kyoto, options, counter), "2京都市");
    // Unset time: no date part and the counter untouched while the place fills the title.
    EXPECT_EQ(composeDayTitle(Entry(1, 0, kGion), options, counter), "京都市");
    EXPECT_EQ(counter, 3);
    EXPECT_EQ(composeDayTitle(Entry(1, 0), options, counter), "3");
    options.folder2DateChoice = 2;
    options.folder2PlaceChoice = 1;
    EXPECT_EQ(composeDayTitle(kyoto, options, counter), "4");
    options.folder2DateChoice = -1;
    options.folder2PlaceChoice = 0;
    options.folder2Place = 2;
    EXPECT_EQ(composeDayTitle(Entry(1, Local(2011, 3, 5)), options, counter), "5");
}

TEST(TitleCompose, namesFilesByEachChoiceAndKeepsOnlyExactJpgExtensions) {
    TitleOptions options;
    int counter = 1;
    QELFileInfo photo = Entry(2, Local(2011, 3, 5, 9, 7), kGion);
    photo.orgDcfName = "DSC01234.JPG";
    photo.newDcfName = "QEL00001.JPG";
    photo.beforeNames = {"old.JPG", "img_0001.jpg"};
    EXPECT_EQ(composeFileName(photo, options, counter), "09時07分京都市.JPG");
    options.shootHour = 1;
    options.filePlace = 4;
    EXPECT_EQ(composeFileName(photo, options, counter), "0907日本京都府京都市東山区祇園町.JPG");
    options.filePlaceChoice = 1;
    EXPECT_EQ(composeFileName(photo, options, counter), "0907.JPG");
    options.filePlaceChoice = 0;
    options.fileChoice = 1;
    EXPECT_EQ(composeFileName(photo, options, counter), "DSC01234.JPG");
    photo.orgDcfName.clear();
    EXPECT_EQ(composeFileName(photo, options, counter), "QEL00001.JPG");
    options.fileChoice = 2;
    EXPECT_EQ(composeFileName(photo, options, counter), "img_0001.jpg");
    photo.beforeNames.back() = "IMG_0001.Jpg";
    EXPECT_EQ(composeFileName(photo, options, counter), "IMG_0001.Jpg.JPG");
    photo.beforeNames.clear();
    EXPECT_EQ(composeFileName(photo, options, counter), ".JPG");
    options.fileChoice = 3;
    EXPECT_EQ(composeFileName(photo, options, counter), "1.JPG");
    EXPECT_EQ(composeFileName(photo, options, counter), "2.JPG");
    options.fileChoice = 4;
    EXPECT_EQ(composeFileName(photo, options, counter), "日本京都府京都市東山区祇園町.JPG");
    options.filePlaceChoice = 1;
    EXPECT_EQ(composeFileName(photo, options, counter), ".JPG");
    options.fileChoice = 0;
    options.filePlaceChoice = 0;
    EXPECT_EQ(composeFileName(Entry(2, 0, kBiei), options, counter), "日本北海道上川郡美瑛町.JPG");
    EXPECT_EQ(counter, 3);
}

// 市区町村, 地区名 and すべて used to give nothing for an answer shorter than they ask, which
// silently took the place out of every title.
TEST(TitleCompose, takesPlacesByLevelAndNeverDropsOneForAShortAnswer) {
    EXPECT_EQ(placeText(kGion, 0), "日本");
    EXPECT_EQ(placeText(kGion, 3), "東山区");
    EXPECT_EQ(placeText(kGion, 4), "日本京都府京都市東山区祇園町");
    EXPECT_EQ(placeText(kBiei, 4), "日本北海道上川郡美瑛町");
    EXPECT_EQ(placeText(kBiei, 3), "美瑛町");
    EXPECT_EQ(placeText({"日本", "京都府", "京都市"}, 3), "京都市");
    EXPECT_EQ(placeText({"日本", "東京都"}, 3), "東京都");
    EXPECT_EQ(placeText({"日本", "東京都"}, 4), "日本東京都");
    EXPECT_EQ(placeText({"日本", "東京都"}, 2), "東京都");
    EXPECT_EQ(placeText({"フランス共和国", "パリ"}, 2), "パリ");
    EXPECT_EQ(placeText({}, 0), "");
    EXPECT_EQ(placeText({}, 3), "");
    EXPECT_EQ(placeText({}, 4), "");
    EXPECT_EQ(placeText(kGion, -1), "");
    EXPECT_EQ(placeText(kGion, 9), "");
}

TEST(TitleCompose, picksTheRuleAndCounterByLevel) {
    TitleOptions options;
    options.shootYear = 2;
    options.folder2DateChoice = 1;
    options.fileChoice = 3;
    TitleCounters counters;
    EXPECT_EQ(composeTitle(Entry(0, 0), options, counters), "1");
    EXPECT_EQ(composeTitle(Entry(1, Local(2011, 1, 1)), options, counters), "1");
    EXPECT_EQ(composeTitle(Entry(2, 0), options, counters), "1.JPG");
    EXPECT_EQ(composeTitle(Entry(5, 0), options, counters), "2.JPG");
    EXPECT_EQ(counters.yearCounter, 2);
    EXPECT_EQ(counters.dayCounter, 2);
    EXPECT_EQ(counters.fileCounter, 3);
}

TEST(TitleCleaning, dropsControlCharactersAndTrailingDotsAndSpaces) {
    EXPECT_EQ(cleanFolderTitle("京都\x01市\x7f\x1f"), "京都市");
    EXPECT_EQ(cleanFolderTitle("a\xC2\x85"
                               "b\xC2\x9F"),
              "ab")
        << "C1 controls";
    EXPECT_EQ(cleanFolderTitle("\xC2\xA0"
                               "caf\xC3\xA9"),
              "\xC2\xA0"
              "caf\xC3\xA9")
        << "not C1";
    EXPECT_EQ(cleanFolderTitle("06月03日."), "06月03日");
    EXPECT_EQ(cleanFolderTitle("a . .\t"), "a");
    EXPECT_EQ(cleanFolderTitle(".a.b"), ".a.b");
    EXPECT_EQ(cleanFolderTitle(".. "), "");
    EXPECT_EQ(cleanFileName("10時00分end..JPG"), "10時00分end.JPG");
    EXPECT_EQ(cleanFileName("a \x02.jpg"), "a.jpg");
    EXPECT_EQ(cleanFileName("..JPG"), ".JPG");
    EXPECT_EQ(cleanFileName("notes. "), "notes");
    EXPECT_EQ(cleanFileName("x.JPG."), "x.JPG");
}

TEST(TitleCleaning, cleansComposedTitlesBeforeTheyFallBack) {
    TitleOptions options;
    options.folder2Place = 2;
    options.filePlace = 2;
    const std::vector<std::string> dotted = {"日本", "京都府", "end."};
    const std::vector<std::string> control = {"日本", "京都府", "\x01\x02"};
    int counter = 1;
    EXPECT_EQ(composeDayTitle(Entry(1, Local(2011, 6, 3), dotted), options, counter),
              "06月03日end");
    options.folder2DateChoice = 2;
    EXPECT_EQ(composeDayTitle(Entry(1, Local(2011, 6, 3), control), options, counter), "1");
    EXPECT_EQ(counter, 2);
    EXPECT_EQ(composeFileName(Entry(2, Local(2011, 6, 3, 10, 0), dotted), options, counter),
              "10時00分end.JPG");
    options.fileChoice = 4;
    EXPECT_EQ(composeFileName(Entry(2, Local(2011, 6, 3), control), options, counter), ".JPG");
}
