#include "image/make_thumbnail.h"
#include "tests/scan_harness.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>
#include <opencv2/imgcodecs.hpp>

#include <chrono>

namespace {

void WritePhotos(const std::string& folder, int count) {
    cv::Mat picture(900, 1200, CV_8UC3);
    cv::randu(picture, 0, 255);
    for (int i = 0; i < count; ++i) {
        ASSERT_TRUE(cv::imwrite(folder + "P" + std::to_string(i) + ".JPG", picture));
    }
}

// Reads the announced record as the preview would, so a stale pointer shows up under ASan.
struct PreviewingHarness : ScanHarness {
    int previewed = 0;
    int previewedWidth = 0;
    ~PreviewingHarness() { stopWorkers(catalogue); }
    MessageQueue previewWindow{[this](const WindowMessage& m) {
        messages.push_back(m);
        if (m.id == UM_THUMB_PROGRESS && m.lParam != 0) {
            const auto* record = reinterpret_cast<const QELFileInfo*>(m.lParam);
            previewedWidth = record->thumbnail.image ? record->thumbnail.image->width : -1;
            ++previewed;
        }
    }};
};

} // namespace

TEST(ThumbnailScan, makesAThirtyPixelThumbnailForEveryPhotoAfterTheWalk) {
    TempDir dir;
    WritePhotos(dir.path(), 3);
    WriteFile(dir.path() + "broken.JPG", "not a jpeg");
    ScanHarness h;
    h.catalogue.thumbnailMaker = MakeThumbnail;
    h.search(dir.path());
    int ready = 0;
    for (const auto& photo : h.catalogue.photos) {
        if (photo->name == "broken.JPG") {
            EXPECT_EQ(photo->thumbReady, 0);
            EXPECT_EQ(photo->thumbnail.image, nullptr);
            continue;
        }
        ASSERT_EQ(photo->thumbReady, 1);
        EXPECT_EQ(photo->thumbnail.image->width, 30);
        EXPECT_EQ(photo->thumbnail.image->height, 22);
        ++ready;
    }
    EXPECT_EQ(ready, 3);
    // Every photo is announced, the broken one too, then the end.
    EXPECT_EQ(h.messagesOf(UM_THUMB_PROGRESS).size(), 5u);
}

TEST(ThumbnailScan, aNewSearchStopsTheThumbnailPhaseAndStartsAfresh) {
    TempDir dir;
    WritePhotos(dir.path(), 40);
    PreviewingHarness h;
    h.catalogue.thumbnailMaker = MakeThumbnail;
    ASSERT_EQ(startSearch(h.catalogue, dir.path(), &h.previewWindow), 0);
    ASSERT_TRUE(h.previewWindow.dispatchUntil([&] { return h.previewed >= 2; }, 60000));
    EXPECT_EQ(h.previewedWidth, 30);

    h.messages.clear();
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(startSearch(h.catalogue, dir.path(), &h.previewWindow), 0);
    const double stopSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(stopSeconds, 0.3);

    ASSERT_TRUE(h.previewWindow.dispatchUntil(
        [&] { return h.catalogue.scanJob->running.load() == 0; }, 120000));
    h.catalogue.scanThread.join();
    h.previewWindow.dispatch();

    const auto progress = h.messagesOf(UM_SEARCH_PROGRESS);
    ASSERT_EQ(progress.size(), 41u);
    EXPECT_EQ(progress.front().wParam, 1u);
    EXPECT_EQ(progress[39].wParam, 40u);
    EXPECT_EQ(h.messagesOf(UM_THUMB_PROGRESS).size(), 41u);
    for (const auto& photo : h.catalogue.photos) {
        EXPECT_EQ(photo->thumbReady, 1) << photo->name;
    }
}
