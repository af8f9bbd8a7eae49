#include "map/map_picture.h"

#include <gtest/gtest.h>
#include <opencv2/imgcodecs.hpp>

#include <string>
#include <vector>

namespace {

std::string Encoded(const cv::Mat& picture, const std::string& extension) {
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(cv::imencode(extension, picture, bytes));
    return std::string(bytes.begin(), bytes.end());
}

// The PNG's header chunk with other dimensions; its checksum no longer matches, which does not
// matter: the size is refused before the decoder sees the file.
std::string WithDeclaredSize(std::string png, std::uint32_t width, std::uint32_t height) {
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = static_cast<char>(width >> (24 - 8 * i));
        png[20 + i] = static_cast<char>(height >> (24 - 8 * i));
    }
    return png;
}

// A chunk before IEND that claims far more bytes than the answer holds.
std::string WithLongChunk(const std::string& png) {
    const std::string chunk = std::string("\x7f\xff\xff\xf0", 4) + "tEXtdate";
    return png.substr(0, png.size() - 12) + chunk + png.substr(png.size() - 12);
}

// A progressive JPEG with its scans repeated a thousand times.
std::string ManyScans() {
    std::vector<std::uint8_t> jpeg;
    EXPECT_TRUE(cv::imencode(".jpg", cv::Mat(64, 64, CV_8UC3, cv::Scalar::all(128)), jpeg,
                             {cv::IMWRITE_JPEG_PROGRESSIVE, 1}));
    const std::string bytes(jpeg.begin(), jpeg.end());
    const std::size_t scans = bytes.find("\xFF\xDA");
    std::string many = bytes.substr(0, scans);
    for (int i = 0; i < 1000; ++i) {
        many += bytes.substr(scans, bytes.size() - 2 - scans);
    }
    return many + "\xFF\xD9";
}

} // namespace

TEST(DecodeMapPicture, takesThePngOrJpegTheServiceSendsInBlueGreenRedOrder) {
    const cv::Mat map(400, 400, CV_8UC3, cv::Scalar(30, 160, 220));
    for (const std::string extension : {".png", ".jpg"}) {
        QELImage picture;
        ASSERT_TRUE(DecodeMapPicture(Encoded(map, extension), picture)) << extension;
        ASSERT_NE(picture.image, nullptr);
        EXPECT_EQ(picture.image->width, 400);
        EXPECT_EQ(picture.image->height, 400);
        EXPECT_EQ(picture.image->channels, 3);
        EXPECT_EQ(picture.topDown, 1);
        EXPECT_NEAR(picture.image->bytes[0], 30, 3) << extension;
        EXPECT_NEAR(picture.image->bytes[2], 220, 3) << extension;
    }
    std::vector<std::uint8_t> progressive;
    ASSERT_TRUE(cv::imencode(".jpg", map, progressive, {cv::IMWRITE_JPEG_PROGRESSIVE, 1}));
    QELImage picture;
    EXPECT_TRUE(DecodeMapPicture(std::string(progressive.begin(), progressive.end()), picture));
}

TEST(DecodeMapPicture, refusesWhatIsNoPictureOrTooLargeAndLeavesNothing) {
    const std::string png = Encoded(cv::Mat(64, 64, CV_8UC3, cv::Scalar::all(90)), ".png");
    const std::vector<std::pair<std::string, std::string>> answers = {
        {"empty", ""},
        {"an error page", "<html><body>403 Forbidden</body></html>"},
        {"a PNG cut in its header", png.substr(0, 20)},
        {"a PNG cut in its data", png.substr(0, png.size() / 2)},
        {"a PNG with a chunk longer than the answer", WithLongChunk(png)},
        {"a JPEG of a thousand scans", ManyScans()},
        {"a bomb of 100000 x 100000", WithDeclaredSize(png, 100000, 100000)},
        {"a PNG declaring 0 x 0", WithDeclaredSize(png, 0, 0)},
        {"a picture one pixel too wide",
         Encoded(cv::Mat(1, kMaxMapPictureSide + 1, CV_8UC3, cv::Scalar::all(0)), ".png")},
    };
    for (const auto& [name, bytes] : answers) {
        QELImage picture;
        picture.image = std::make_unique<ImagePixels>();
        EXPECT_FALSE(DecodeMapPicture(bytes, picture)) << name;
        EXPECT_EQ(picture.image, nullptr) << name;
    }
}
