#include "catalogue/manage_qel_file_info.h"
#include "platform/message_queue.h"
#include "tests/catalogue_fixture.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

namespace {

struct Catalogue : CatalogueFixture {};

} // namespace

TEST_F(Catalogue, startsEmptyWithDefaultOptionsAndNoWorkerRunning) {
    CManageQELFileInfo fresh;
    EXPECT_EQ(fresh.mutex, nullptr);
    EXPECT_TRUE(fresh.photos.empty() && fresh.folders.empty() && fresh.results.empty());
    EXPECT_EQ(fresh.scanJob->running.load(), 0);
    EXPECT_EQ(fresh.analysisJob->running.load(), 0);
    const TitleOptions& o = fresh.options;
    EXPECT_EQ((std::vector<int>{o.folder1Choice, o.shootYear, o.folder2DateChoice,
                                o.folder2PlaceChoice, o.shootDay, o.folder2Place, o.fileChoice,
                                o.filePlaceChoice, o.shootHour, o.filePlace}),
              (std::vector<int>{0, 3, 0, 0, 0, 1, 0, 0, 0, 2}));
    EXPECT_EQ(catalogue.options.settingsPath, "/tmp/x.Ini");
    EXPECT_NE(catalogue.mutex, nullptr);
}

TEST_F(Catalogue, filesFoldersAndPhotosInTheOrderAddedAndTellsThemApart) {
    addRecord(catalogue, "/card/DCIM/", 1, 0);
    addRecord(catalogue, "/card/DCIM/IMG_0001.JPG", 0, 1);
    addRecord(catalogue, "NOSLASH.JPG", 0, 0);

    ASSERT_EQ(sourceRows.RowCount(), 3u);
    QELFileInfo* folder = sourceRows.RowRecord(0);
    QELFileInfo* photo = sourceRows.RowRecord(1);
    EXPECT_EQ(folder, catalogue.folders.at(0).get());
    EXPECT_EQ(photo, catalogue.photos.at(0).get());
    EXPECT_EQ(sourceRows.RowRecord(2)->name, "NOSLASH.JPG");
    EXPECT_EQ(sourceRows.RowRecord(2)->title, "NOSLASH.JPG");

    EXPECT_EQ(photo->name, "IMG_0001.JPG");
    EXPECT_EQ(photo->title, photo->name);
    EXPECT_EQ(photo->level, 1);
    EXPECT_EQ(photo->isFolder, 0);
    EXPECT_EQ(photo->backColor, (RGBColor{255, 255, 255}));
    EXPECT_EQ(photo->icon, &catalogue.photoIcon);
    EXPECT_EQ(photo->mutex, catalogue.mutex);
    EXPECT_EQ(photo->exifStatus, kExifStatusNotAnalysed);
    EXPECT_EQ(folder->isFolder, 1);
    EXPECT_EQ(folder->backColor, (RGBColor{198, 198, 255}));
    EXPECT_EQ(folder->icon, &catalogue.folderIcon);
    EXPECT_EQ(catalogue.photoIcon.width, 14);
    EXPECT_EQ(catalogue.photoIcon.height, 16);
    EXPECT_EQ(catalogue.level1Icon.width, 16);
}

TEST_F(Catalogue, copyRecordLinksTheSourceThumbnailAndCopiesValuesIndependently) {
    addRecord(catalogue, "/card/DSC01234.JPG", 0, 0);
    QELFileInfo& source = *catalogue.photos[0];
    source.thumbnail.image = std::make_unique<ImagePixels>();
    source.thumbnail.image->width = 30;
    source.thumbReady = 1;
    source.shortAddresses = {"日本", "京都府", "京都市"};
    source.beforeNames = {"A.JPG", "B.JPG"};
    source.beforeNameTimes = {"2011:01:01 00:00:00", "2012:01:01 00:00:00"};
    source.shootTime = 1299283620;

    auto result = std::make_unique<QELFileInfo>();
    copyRecord(source, *result);
    EXPECT_EQ(result->thumbReady, 0);
    EXPECT_EQ(result->thumbnail.image, nullptr);
    EXPECT_EQ(result->hasLink, 1);
    EXPECT_EQ(result->linkedThumbnail, &source.thumbnail);
    EXPECT_EQ(result->icon, nullptr);
    EXPECT_EQ(result->shortAddresses, source.shortAddresses);
    EXPECT_EQ(result->beforeNames, source.beforeNames);
    EXPECT_EQ(result->beforeNameTimes, source.beforeNameTimes);
    EXPECT_EQ(result->shootTime, source.shootTime);
    EXPECT_EQ(result->mutex, catalogue.mutex);

    result->title = "09時07分京都市.JPG";
    EXPECT_EQ(source.title, "DSC01234.JPG");

    catalogue.results.push_back(std::move(result));
    clearResults(catalogue);
    ASSERT_NE(source.thumbnail.image, nullptr);
    EXPECT_EQ(source.thumbnail.image->width, 30);
}

TEST_F(Catalogue, copyRecordAppendsToWhatTheTargetHoldsAndKeepsNamePairsAligned) {
    QELFileInfo source;
    source.shortAddresses = {"日本"};
    source.beforeNames = {"A.JPG", "B.JPG"};
    source.beforeNameTimes = {"2011:01:01 00:00:00"};
    QELFileInfo target;
    target.shortAddresses = {"x"};
    copyRecord(source, target);
    EXPECT_EQ(target.shortAddresses, (std::vector<std::string>{"x", "日本"}));
    EXPECT_EQ(target.beforeNames.size(), target.beforeNameTimes.size());
}

TEST_F(Catalogue, clearingAnEmptyCatalogueStillRemovesEveryRowWithoutWaiting) {
    QELFileInfo stray;
    sourceRows.AddRow(&stray);
    resultRows.AddRow(&stray);
    const double start = SleepClock();
    clearSource(catalogue);
    clearResults(catalogue);
    EXPECT_LT(SleepClock() - start, 0.25) << "the 300 ms of a stop, with no worker to stop";
    EXPECT_EQ(sourceRows.RowCount(), 0u);
    EXPECT_EQ(resultRows.RowCount(), 0u);
}

TEST_F(Catalogue, exitDestroysTheLockAfterTheTrees) {
    addRecord(catalogue, "/card/A.JPG", 0, 0);
    clearSource(catalogue);
    clearResults(catalogue);
    catalogue.destroyMutex();
    EXPECT_EQ(catalogue.mutex, nullptr);
    EXPECT_TRUE(catalogue.photos.empty());
}
