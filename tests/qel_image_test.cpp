#include "catalogue/qel_image.h"
#include "image/qel_image_load.h"
#include "tests/exif_builder.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

namespace {

cv::Mat View(const ImagePixels& pixels) {
    return cv::Mat(pixels.height, pixels.width, CV_MAKETYPE(CV_8U, pixels.channels),
                   const_cast<std::uint8_t*>(pixels.bytes.data()), pixels.stride);
}

// A held picture with a busy pattern, rows padded as Load pads them.
QELImage Picture(int width, int height, int channels = 3) {
    QELImage picture;
    picture.image = std::make_unique<ImagePixels>();
    ImagePixels& pixels = *picture.image;
    pixels.width = width;
    pixels.height = height;
    pixels.channels = channels;
    pixels.stride = (static_cast<std::size_t>(width) * channels + 3) / 4 * 4;
    pixels.bytes.resize(pixels.stride * height);
    for (std::size_t i = 0; i < pixels.bytes.size(); ++i) {
        pixels.bytes[i] = static_cast<std::uint8_t>(i * 7 % 251);
    }
    return picture;
}

cv::Size Fitted(int width, int height, const ImageBox& box) {
    QELImage picture = Picture(width, height, 1);
    EXPECT_TRUE(FitInto(picture, box));
    return {picture.image->width, picture.image->height};
}

} // namespace

TEST(QELImageFitInto, fillsTheBoxWidthOrHeightWhicheverTheShapeAllows) {
    EXPECT_EQ(Fitted(4000, 3000, {0, 0, 30, 30}), cv::Size(30, 22));
    EXPECT_EQ(Fitted(3000, 4000, {0, 0, 30, 30}), cv::Size(22, 30));
    EXPECT_EQ(Fitted(4000, 3000, {100, 200, 130, 230}), cv::Size(30, 22));
    EXPECT_EQ(Fitted(100, 100, {0, 0, 30, 20}), cv::Size(20, 20)); // a square: the height decides
    EXPECT_EQ(Fitted(10, 5, {0, 0, 100, 100}), cv::Size(100, 50)); // enlarged
    EXPECT_EQ(Fitted(4000, 1, {0, 0, 30, 30}), cv::Size(30, 1));   // never a side of 0
    EXPECT_EQ(Fitted(1, 4000, {0, 0, 30, 30}), cv::Size(1, 30));
}

TEST(QELImageFitInto, refusesAnEmptyBoxOrNoPictureAndChangesNothing) {
    QELImage picture = Picture(64, 48);
    const PixelBytes before = picture.image->bytes;
    for (const ImageBox box : {ImageBox{0, 0, 0, 30}, ImageBox{0, 0, 30, 0},
                               ImageBox{40, 0, 10, 30}, ImageBox{0, 50, 30, 20}}) {
        EXPECT_FALSE(FitInto(picture, box));
    }
    EXPECT_EQ(picture.image->width, 64);
    EXPECT_EQ(picture.image->bytes, before);
    QELImage empty;
    EXPECT_FALSE(FitInto(empty, {0, 0, 30, 30}));
}

TEST(QELImageFitInto, averagesAreasIntoRowsPaddedToFourBytes) {
    QELImage picture = Picture(101, 51);
    picture.topDown = 0;
    cv::Mat expected;
    cv::resize(View(*picture.image), expected, cv::Size(30, 15), 0, 0, cv::INTER_AREA);
    ASSERT_TRUE(FitInto(picture, {0, 0, 30, 30}));
    EXPECT_EQ(picture.image->stride, 92u); // 90 bytes of pixels
    EXPECT_EQ(picture.image->bytes.size(), 92u * 15);
    EXPECT_EQ(cv::norm(View(*picture.image), expected, cv::NORM_INF), 0.0);
    EXPECT_EQ(picture.topDown, 0);
}

TEST(QELImageLoad, decodesColourInBlueGreenRedOrderAndGreyAsOneChannel) {
    TempDir dir;
    ASSERT_TRUE(
        cv::imwrite(dir.path() + "C.JPG", cv::Mat(21, 33, CV_8UC3, cv::Scalar(200, 40, 10))));
    ASSERT_TRUE(cv::imwrite(dir.path() + "G.JPG", cv::Mat(30, 41, CV_8UC1, cv::Scalar(90))));
    QELImage colour;
    QELImage grey;
    ASSERT_TRUE(Load(colour, dir.path() + "C.JPG"));
    ASSERT_TRUE(Load(grey, dir.path() + "G.JPG"));
    EXPECT_EQ(colour.topDown, 1);
    EXPECT_EQ(colour.image->channels, 3);
    EXPECT_EQ(colour.image->stride, 100u); // 99 bytes of pixels
    const cv::Vec3b middle = View(*colour.image).at<cv::Vec3b>(10, 16);
    EXPECT_NEAR(middle[0], 200, 4);
    EXPECT_NEAR(middle[2], 10, 4);
    EXPECT_EQ(grey.image->channels, 1);
    EXPECT_EQ(grey.image->stride, 44u);
}

// Photos are decoded straight into our own pixels, whole or reduced by the decoder; every
// orientation, grey, progressive and cut-short files must still come out as the decoder gives
// them from the file.
TEST(QELImageLoad, givesExactlyTheDecodersOwnPictureForEveryOrientationKindAndScale) {
    TempDir dir;
    cv::Mat colour(75, 108, CV_8UC3);
    cv::Mat grey(74, 105, CV_8UC1);
    cv::randu(colour, 0, 256);
    cv::randu(grey, 0, 256);
    std::vector<std::uint8_t> plain;
    std::vector<std::uint8_t> greyJpeg;
    std::vector<std::uint8_t> progressive;
    ASSERT_TRUE(cv::imencode(".jpg", colour, plain));
    ASSERT_TRUE(cv::imencode(".jpg", grey, greyJpeg));
    ASSERT_TRUE(cv::imencode(".jpg", colour, progressive, {cv::IMWRITE_JPEG_PROGRESSIVE, 1}));
    const auto text = [](const std::vector<std::uint8_t>& bytes) {
        return std::string(bytes.begin(), bytes.end());
    };
    const auto turned = [](const std::string& jpeg, int orientation) {
        return WithExif(jpeg,
                        BuildTiff(TiffLayout{
                            false, {TiffEntry::Short(0x0112, orientation, false)}, {}, {}, {}}));
    };
    std::vector<std::pair<std::string, std::string>> files;
    for (int orientation = 1; orientation <= 8; ++orientation) {
        files.emplace_back("turned" + std::to_string(orientation),
                           turned(text(plain), orientation));
    }
    files.emplace_back("grey turned", turned(text(greyJpeg), 6));
    files.emplace_back("progressive", text(progressive));
    files.emplace_back("cut short", text(plain).substr(0, plain.size() * 2 / 3));
    // Cut in the Huffman table before the second scan: the decoder reads on into the end markers
    // a file gives it.
    const std::string scans = text(progressive);
    const std::size_t secondScan = scans.find("\xFF\xDA", scans.find("\xFF\xDA") + 2);
    files.emplace_back("cut between scans", scans.substr(0, secondScan - 5));
    // Boxes that the decoder's 1, 1/2, 1/4 and 1/8 fill.
    const std::pair<ImageBox, int> scales[] = {{ImageBox{}, cv::IMREAD_ANYCOLOR},
                                               {ImageBox{0, 0, 50, 50}, cv::IMREAD_REDUCED_COLOR_2},
                                               {ImageBox{0, 0, 25, 25}, cv::IMREAD_REDUCED_COLOR_4},
                                               {ImageBox{0, 0, 9, 9}, cv::IMREAD_REDUCED_COLOR_8}};
    for (const auto& [name, bytes] : files) {
        WriteFile(dir.path() + "photo.JPG", bytes);
        for (const auto& [box, flags] : scales) {
            const bool isGrey = name.rfind("grey", 0) == 0;
            const int greyFlags = flags == cv::IMREAD_ANYCOLOR ? flags : flags - 1;
            const cv::Mat expected =
                cv::imread(dir.path() + "photo.JPG", isGrey ? greyFlags : flags);
            QELImage picture;
            ASSERT_TRUE(Load(picture, dir.path() + "photo.JPG", box)) << name;
            const cv::Mat loaded = View(*picture.image);
            ASSERT_EQ(loaded.size(), expected.size()) << name << " " << flags;
            ASSERT_EQ(loaded.type(), expected.type()) << name << " " << flags;
            EXPECT_EQ(cv::norm(loaded, expected, cv::NORM_INF), 0.0) << name << " " << flags;
        }
    }
}

TEST(QELImageLoad, failsForMissingOrUndecodableFilesAndDropsTheOldPicture) {
    TempDir dir;
    WriteFile(dir.path() + "garbage.JPG", "this is no picture at all");
    ASSERT_TRUE(cv::imwrite(dir.path() + "good.JPG", cv::Mat(8, 8, CV_8UC3, cv::Scalar::all(9))));
    std::vector<std::uint8_t> png;
    ASSERT_TRUE(cv::imencode(".png", cv::Mat(8, 8, CV_8UC3, cv::Scalar::all(9)), png));
    WriteFile(dir.path() + "png.JPG", std::string(png.begin(), png.end()));
    std::string badTable = ReadFile(dir.path() + "good.JPG");
    badTable[badTable.find("\xFF\xC4") + 5] = '\xFF'; // 255 codes of length 1: no Huffman table
    WriteFile(dir.path() + "table.JPG", badTable);
    for (const std::string name : {"missing.JPG", "garbage.JPG", "png.JPG", "table.JPG"}) {
        QELImage picture;
        ASSERT_TRUE(Load(picture, dir.path() + "good.JPG"));
        EXPECT_FALSE(Load(picture, dir.path() + name)) << name;
        EXPECT_EQ(picture.image, nullptr) << name;
    }
}

TEST(QELImageFitFrom, fitsAReducedPictureAsItsWholePhotoLeavingTheSourceAsItWas) {
    TempDir dir;
    cv::Mat photo(303, 401, CV_8UC3);
    cv::randu(photo, 0, 256);
    ASSERT_TRUE(cv::imwrite(dir.path() + "P.JPG", photo));
    QELImage whole;
    QELImage reduced;
    ASSERT_TRUE(Load(whole, dir.path() + "P.JPG"));
    ASSERT_TRUE(Load(reduced, dir.path() + "P.JPG", {0, 0, 40, 40}));
    EXPECT_EQ(whole.scale, 1);
    ASSERT_EQ(reduced.scale, 8);
    EXPECT_EQ(reduced.image->width, 51); // 401 / 8, rounded up
    EXPECT_EQ(reduced.photoSize.width, 401);
    QELImage fromWhole;
    QELImage fromReduced;
    ASSERT_TRUE(FitFrom(fromWhole, whole, {0, 0, 40, 40}));
    ASSERT_TRUE(FitFrom(fromReduced, reduced, {0, 0, 40, 40}));
    // 401 x 303 fits as 40 x 30; the reduced picture's own ratio would give 40 x 29.
    EXPECT_EQ(fromReduced.image->width, 40);
    EXPECT_EQ(fromReduced.image->height, 30);
    EXPECT_EQ(fromReduced.scale, 1);
    EXPECT_EQ(fromReduced.topDown, 1);
    EXPECT_LT(cv::norm(View(*fromReduced.image), View(*fromWhole.image), cv::NORM_L1) /
                  (40.0 * 30 * 3),
              8.0);
    EXPECT_EQ(reduced.image->width, 51) << "the source is left as it was";
    EXPECT_FALSE(FitFrom(fromReduced, QELImage(), {0, 0, 40, 40}));
    EXPECT_EQ(fromReduced.image->width, 40);
}
