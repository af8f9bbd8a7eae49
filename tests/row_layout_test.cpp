#include "ui/qel_row_layout.h"

#include <gtest/gtest.h>

#include <limits>
#include <mutex>

namespace {

QELImage Picture(int width, int height) {
    QELImage picture;
    picture.image = std::make_unique<ImagePixels>();
    picture.image->width = width;
    picture.image->height = height;
    picture.image->channels = 3;
    picture.image->stride = static_cast<std::size_t>(width) * 3;
    picture.image->bytes.resize(picture.image->stride * height);
    return picture;
}

} // namespace

TEST(RowLayout, indentsPhotosAtTheTopByThreeAndEverythingElseFifteenALevel) {
    QELFileInfo row;
    row.level = 0;
    EXPECT_EQ(RowIndent(row), 3);
    row.isFolder = 1;
    EXPECT_EQ(RowIndent(row), 0);
    row.level = 2;
    EXPECT_EQ(RowIndent(row), 30);
    row.isFolder = 0;
    EXPECT_EQ(RowIndent(row), 30);
}

TEST(RowLayout, showsTheOwnThumbnailOnceReadyElseTheLinkedOneElseTheIcon) {
    QELFileInfo source;
    EXPECT_EQ(ShownPicture(source), nullptr);
    source.thumbnail = Picture(30, 22);
    EXPECT_EQ(ShownPicture(source), nullptr) << "not ready yet";
    source.thumbReady = 1;
    EXPECT_EQ(ShownPicture(source), &source.thumbnail);

    QELFileInfo result;
    result.hasLink = 1;
    QELImage empty;
    result.linkedThumbnail = &empty;
    EXPECT_EQ(ShownPicture(result), nullptr) << "a link to a thumbnail that failed";
    result.linkedThumbnail = &source.thumbnail;
    EXPECT_EQ(ShownPicture(result), &source.thumbnail);

    source.isFolder = 1;
    EXPECT_EQ(ShownPicture(source), nullptr);
}

TEST(RowLayout, aClickHitsTheThumbnailFromItsLeftToItsRightEdgeInclusive) {
    std::mutex lock;
    QELFileInfo photo;
    photo.mutex = &lock;
    photo.level = 2;
    photo.thumbnail = Picture(30, 22);
    EXPECT_FALSE(HitsThumbnail(photo, 40)) << "the icon row is never a hit";
    photo.thumbReady = 1;
    EXPECT_FALSE(HitsThumbnail(photo, 29));
    EXPECT_TRUE(HitsThumbnail(photo, 30));
    EXPECT_TRUE(HitsThumbnail(photo, 60));
    EXPECT_FALSE(HitsThumbnail(photo, 61));
    photo.isFolder = 1;
    EXPECT_FALSE(HitsThumbnail(photo, 40));
}

TEST(RowLayout, theDateLineIsTheLocalDateAndZerosWhenTheTimeCannotBeConverted) {
    QELFileInfo photo;
    photo.shootTime = 1299283620; // 2011-03-05 00:07 UTC, 09:07 in Tokyo
    EXPECT_EQ(ShootingDateLine(photo), "撮影日時：2011年03月05日");
    photo.shootTime = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(ShootingDateLine(photo), "撮影日時：0000年00月00日");
}

TEST(RowLayout, aPhotoDatedByItsFileTimeSaysSoInItsDateLineAndHasNoPlaceLine) {
    QELFileInfo photo;
    photo.shootTime = 1299283620;
    EXPECT_FALSE(ShowsDateLine(photo)) << "not analysed yet";
    photo.exifStatus = kExifStatusFileTime;
    photo.fileDateTimeText = "2011:03:05 09:07:00";
    EXPECT_TRUE(ShowsDateLine(photo));
    EXPECT_FALSE(ShowsPlaceLine(photo));
    EXPECT_EQ(ShootingDateLine(photo), "撮影日時：2011年03月05日 (ファイル日時)");
    photo.fileDateTimeText.clear();
    EXPECT_FALSE(ShowsDateLine(photo)) << "its file could not be asked either: it has no date";

    photo.exifStatus = kExifStatusExifTime;
    photo.dateTimeOriginalText = "2011:03:05 09:07:00";
    EXPECT_TRUE(ShowsDateLine(photo));
    EXPECT_TRUE(ShowsPlaceLine(photo));
    EXPECT_EQ(ShootingDateLine(photo), "撮影日時：2011年03月05日");
    photo.isFolder = 1;
    EXPECT_FALSE(ShowsDateLine(photo));
}

TEST(RowLayout, thePlaceLineJoinsEveryComponentAndIsBareWithoutAny) {
    QELFileInfo photo;
    EXPECT_EQ(ShootingPlaceLine(photo), "撮影場所：");
    photo.shortAddresses = {"日本", "京都府", "京都市"};
    EXPECT_EQ(ShootingPlaceLine(photo), "撮影場所：日本京都府京都市");
}

TEST(RowLayout, marksEachCompanionByItsExtensionInUpperCaseAndNothingWithoutAny) {
    QELFileInfo photo;
    EXPECT_EQ(CompanionMarks(photo), "");
    photo.companions = {"/card/IMG_0001.CR3", "/card/IMG_0001.wav", "/card.d/IMG_0001.Xmp"};
    EXPECT_EQ(CompanionMarks(photo), " ＋CR3 ＋WAV ＋XMP");
}

TEST(RowLayout, growsARowOnlyWhenItsFontsNeedMoreThanTheLeastHeight) {
    EXPECT_EQ(RowHeightFor(15, 13, 1.0), kRowHeight);
    EXPECT_EQ(RowHeightFor(30, 26, 2.0), 2 * kRowHeight);
    // The date line, centred in the lower half, begins below the title's line.
    const int height = RowHeightFor(20, 18, 1.0);
    EXPECT_GT(height, kRowHeight);
    EXPECT_GE(height / 2 + (height - height / 2 - 18) / 2, 4 + 20);
    EXPECT_LT((height - 1) / 2 + (height - 1 - (height - 1) / 2 - 18) / 2, 4 + 20)
        << "and no taller than that";
}
