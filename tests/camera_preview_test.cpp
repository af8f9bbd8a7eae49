#include "exif/camera_written.h"
#include "image/camera_preview.h"
#include "image/make_thumbnail.h"
#include "image/qel_image_load.h"
#include "platform/shooting_time_text.h"
#include "tests/exif_builder.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>

namespace {

constexpr ImageBox kListBox{0, 0, 30, 30};
const std::string kShot = "2011:03:05 09:07:12";

// Gradients and two shapes off the middle: any wrong turn or flip shows.
cv::Mat Picture(int width, int height) {
    cv::Mat picture(height, width, CV_8UC3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.at<cv::Vec3b>(y, x) = {static_cast<std::uint8_t>(40 + 180 * x / width),
                                           static_cast<std::uint8_t>(40 + 180 * y / height), 90};
        }
    }
    cv::rectangle(picture, {0, 0, width / 3, height / 4}, {250, 250, 250}, cv::FILLED);
    cv::circle(picture, {width * 3 / 4, height * 2 / 3}, height / 5, {20, 20, 160}, cv::FILLED);
    return picture;
}

std::string Encoded(const cv::Mat& picture) {
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(cv::imencode(".jpg", picture, bytes, {cv::IMWRITE_JPEG_QUALITY, 92}));
    return std::string(bytes.begin(), bytes.end());
}

// What a camera writes: the photo, and in its Exif block (the first segment after SOI) its
// preview, DateTime equal to DateTimeOriginal and the photo's pixel dimensions.
struct CameraFile {
    cv::Mat photo = Picture(640, 480);
    cv::Mat preview; // the photo at 160 x 120 when empty
    int orientation = 1;
    std::string software = "Ver.1.00";
    std::string dateTime = kShot;
    int pixelWidth = 0; // the photo's when 0
    std::string before; // segments before the Exif block

    std::string Bytes() const {
        cv::Mat small = preview;
        if (small.empty()) {
            cv::resize(photo, small, {160, 120}, 0, 0, cv::INTER_AREA);
        }
        TiffLayout layout;
        layout.ifd0 = {TiffEntry::Ascii(0x010F, "TESSA"), TiffEntry::Ascii(0x0110, "T-160"),
                       TiffEntry::Short(0x0112, static_cast<std::uint16_t>(orientation), false),
                       TiffEntry::Ascii(0x0131, software), TiffEntry::Ascii(0x0132, dateTime)};
        const int width = pixelWidth != 0 ? pixelWidth : photo.cols;
        layout.exif = {TiffEntry::Ascii(0x9003, kShot),
                       TiffEntry::Long(0xA002, static_cast<std::uint32_t>(width), false),
                       TiffEntry::Long(0xA003, static_cast<std::uint32_t>(photo.rows), false)};
        layout.next = {TiffEntry::Short(0x0103, 6, false)};
        const std::string jpeg =
            WithExif(Encoded(photo), BuildTiffWithPreview(layout, Encoded(small)));
        return jpeg.substr(0, 2) + before + jpeg.substr(2);
    }
};

std::int64_t Shot() {
    std::int64_t seconds = 0;
    EXPECT_TRUE(ParseShootingTimeText(kShot, seconds));
    return seconds;
}

void SetModified(const std::string& path, std::int64_t seconds) {
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

// A file as the camera left it: written at the time of the shot.
std::string WriteAsShot(const TempDir& dir, const std::string& name, const std::string& bytes,
                        std::int64_t delay = 0) {
    WriteFile(dir.path() + name, bytes);
    SetModified(dir.path() + name, Shot() + delay);
    return dir.path() + name;
}

cv::Mat View(const QELImage& picture) {
    const ImagePixels& pixels = *picture.image;
    return cv::Mat(pixels.height, pixels.width, CV_MAKETYPE(CV_8U, pixels.channels),
                   const_cast<std::uint8_t*>(pixels.bytes.data()), pixels.stride);
}

// The mean difference per sample between the thumbnail MakeThumbnail makes of `path` and the
// photo decoded whole and fitted; 255 when either is missing or their sizes differ.
double FromFullDecode(const std::string& path) {
    QELImage full;
    QELFileInfo record;
    record.path = path;
    if (!Load(full, path) || !FitInto(full, kListBox) || MakeThumbnail(&record, kListBox) != 1) {
        return 255;
    }
    const cv::Mat made = View(record.thumbnail);
    const cv::Mat expected = View(full);
    if (made.size() != expected.size() || made.type() != expected.type()) {
        return 255;
    }
    return cv::norm(made, expected, cv::NORM_L1) /
           static_cast<double>(made.total() * made.channels());
}

bool UsesPreview(const std::string& path) {
    return PreviewThumbnail(path, kListBox).image != nullptr;
}

} // namespace

TEST(CameraPreview, givesACameraPhotoAThumbnailCloseToTheFullDecodeInEveryOrientation) {
    TempDir dir;
    for (int orientation = 1; orientation <= 8; ++orientation) {
        CameraFile file;
        file.orientation = orientation;
        const std::string path =
            WriteAsShot(dir, std::to_string(orientation) + ".JPG", file.Bytes());
        EXPECT_TRUE(UsesPreview(path)) << orientation;
        EXPECT_LT(FromFullDecode(path), 1.5) << orientation;
    }
}

// ImageMagick's -negate keeps the Exif block, preview and DateTime and all, and the segments'
// order; only the file is new.
TEST(CameraPreview, givesAPhotoWhosePixelsAProgramChangedAThumbnailOfItsPixels) {
    TempDir dir;
    CameraFile negated;
    cv::resize(negated.photo, negated.preview, {160, 120}, 0, 0, cv::INTER_AREA);
    cv::bitwise_not(negated.photo, negated.photo);
    WriteFile(dir.path() + "negated.JPG", negated.Bytes());
    const std::string path = dir.path() + "negated.JPG";
    EXPECT_FALSE(UsesPreview(path));
    EXPECT_LT(FromFullDecode(path), 1.0);
    // The file's time is what tells: had the program kept it, the preview would be taken.
    SetModified(path, Shot());
    EXPECT_TRUE(UsesPreview(path));
    EXPECT_GT(FromFullDecode(path), 50.0);
}

TEST(CameraPreview, takesNoPreviewThatAnySignOfAChangeOrAMismatchSpeaksAgainst) {
    TempDir dir;
    auto with = [](auto change) {
        CameraFile file;
        change(file);
        return file.Bytes();
    };
    cv::Mat grey;
    cv::cvtColor(Picture(640, 480), grey, cv::COLOR_BGR2GRAY);
    const std::string camera = CameraFile().Bytes();
    const std::pair<const char*, std::string> cases[] = {
        {"DateTime changed", with([](CameraFile& f) { f.dateTime = "2012:01:01 10:00:00"; })},
        {"an editor's Software", with([](CameraFile& f) { f.software = "GIMP 2.10.30"; })},
        {"cropped since", with([](CameraFile& f) { f.pixelWidth = 800; })},
        {"preview of another aspect", with([](CameraFile& f) { f.preview = Picture(160, 90); })},
        {"preview too small for the box", with([](CameraFile& f) { f.preview = Picture(40, 30); })},
        {"colour preview of a grey photo", with([&](CameraFile& f) {
             f.photo = grey;
             f.preview = Picture(160, 120);
         })},
        {"another APP1 first",
         with([](CameraFile& f) { f.before = std::string("\xFF\xE1\x00\x0Ahttp:/\0", 12); })},
        {"cut short", camera.substr(0, camera.size() - 2)},
    };
    EXPECT_TRUE(UsesPreview(WriteAsShot(dir, "camera.JPG", camera)));
    EXPECT_FALSE(UsesPreview(WriteAsShot(dir, "late.JPG", camera, kLatestCameraWrite + 1)));
    int n = 0;
    for (const auto& [what, bytes] : cases) {
        EXPECT_FALSE(UsesPreview(WriteAsShot(dir, std::to_string(++n) + ".JPG", bytes))) << what;
    }
    const std::string aspect = WriteAsShot(dir, "aspect.JPG", cases[3].second);
    EXPECT_LT(FromFullDecode(aspect), 1.0);
}

// Real camera files with previews of 80 x 60 and 160 x 120 (the second turned by its
// orientation 6), their times set as the camera set them. The 80 x 60 one, under three preview
// pixels to a thumbnail pixel and sharpened by its camera, differs the most: some 5 levels.
TEST(CameraPreview, givesRealCameraFilesThumbnailsCloseToTheirFullDecode) {
    TempDir dir;
    for (const char* name : {"exif-samples_sanyo-vpcg250.jpg",
                             "metadata-extractor-images_Samsung GT-I9000 (Galaxy S).jpg"}) {
        const std::string path = dir.path() + name;
        std::filesystem::copy_file(TestDataDir() + "/cameras/whole/" + name, path);
        const std::string date = name[0] == 'e' ? "1998:01:01 00:00:00" : "2011:04:02 18:30:10";
        std::int64_t shot = 0;
        ASSERT_TRUE(ParseShootingTimeText(date, shot));
        SetModified(path, shot);
        EXPECT_TRUE(UsesPreview(path)) << name;
        EXPECT_LT(FromFullDecode(path), 6.0) << name;
    }
}
