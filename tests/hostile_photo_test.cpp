// Files named like photos that would make a decoder spend seconds or gigabytes: each is refused
// from its headers, or decoded only as far reduced as what is shown needs.

#include "image/jpeg_file.h"
#include "image/make_thumbnail.h"
#include "image/qel_image_load.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>
#include <opencv2/imgcodecs.hpp>

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

constexpr ImageBox kListBox{0, 0, 30, 30};

std::string Encoded(const cv::Mat& picture, std::vector<int> params = {}) {
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(cv::imencode(".jpg", picture, bytes, params));
    return std::string(bytes.begin(), bytes.end());
}

std::string SmallJpeg(bool progressive = false) {
    return Encoded(cv::Mat(64, 64, CV_8UC3, cv::Scalar(0, 128, 255)),
                   {cv::IMWRITE_JPEG_PROGRESSIVE, progressive ? 1 : 0});
}

// Where the segment with `marker` starts in `jpeg` (walked segment by segment up to the first
// scan); npos when it is not there.
std::size_t SegmentAt(const std::string& jpeg, std::uint8_t marker) {
    std::size_t pos = 2;
    while (pos + 4 <= jpeg.size()) {
        const auto code = static_cast<std::uint8_t>(jpeg[pos + 1]);
        if (code == marker) {
            return pos;
        }
        if (code == 0xDA) {
            break;
        }
        pos += 2 + (static_cast<std::uint8_t>(jpeg[pos + 2]) << 8) +
               static_cast<std::uint8_t>(jpeg[pos + 3]);
    }
    return std::string::npos;
}

// A small real JPEG whose frame claims `width` x `height`: its scan holds a few bytes of a 64 x 64
// picture and, unless `withEoi`, ends there without an end marker.
std::string Claiming(const std::string& jpeg, int width, int height, bool withEoi) {
    std::string hostile = jpeg;
    std::size_t sof = SegmentAt(hostile, 0xC0);
    if (sof == std::string::npos) {
        sof = SegmentAt(hostile, 0xC2);
    }
    hostile[sof + 5] = static_cast<char>(height >> 8);
    hostile[sof + 6] = static_cast<char>(height);
    hostile[sof + 7] = static_cast<char>(width >> 8);
    hostile[sof + 8] = static_cast<char>(width);
    const std::size_t sos = SegmentAt(hostile, 0xDA);
    const std::size_t scanData = sos + 2 + (static_cast<std::uint8_t>(hostile[sos + 2]) << 8) +
                                 static_cast<std::uint8_t>(hostile[sos + 3]);
    return hostile.substr(0, scanData + 16) + (withEoi ? "\xFF\xD9" : "");
}

struct Outcome {
    bool loaded = false;
    int scale = 0;
    int width = 0;
    int height = 0;
    int thumbnail = 0;
};

// What the image view's way (fitted to a 1280 x 1024 screen) and the thumbnail phase make of it.
Outcome Try(const TempDir& dir, const std::string& bytes) {
    const std::string path = dir.path() + "HOSTILE.JPG";
    WriteFile(path, bytes);
    Outcome outcome;
    QELImage picture;
    outcome.loaded = Load(picture, path, ImageBox{0, 0, 1280, 1024});
    if (picture.image) {
        outcome.scale = picture.scale;
        outcome.width = picture.image->width;
        outcome.height = picture.image->height;
    }
    QELFileInfo record;
    record.path = path;
    outcome.thumbnail = MakeThumbnail(&record, kListBox);
    return outcome;
}

} // namespace

TEST(HostilePhoto, aFrameBeyondTwoHundredMegapixelsIsRefusedWithOrWithoutItsEnd) {
    TempDir dir;
    for (const bool withEoi : {false, true}) {
        const std::string header = Claiming(SmallJpeg(), 16384, 16384, withEoi);
        EXPECT_LT(header.size(), 1000u);
        const Outcome outcome = Try(dir, header);
        EXPECT_FALSE(outcome.loaded) << withEoi;
        EXPECT_EQ(outcome.thumbnail, 0) << withEoi;
    }
}

TEST(HostilePhoto, aLargeFrameCutShortIsDecodedOnlyAsFarAsShown) {
    TempDir dir;
    const Outcome outcome = Try(dir, Claiming(SmallJpeg(), 12000, 12000, false));
    ASSERT_TRUE(outcome.loaded);
    EXPECT_EQ(outcome.scale, 8); // 1500 x 1500 still covers the 1024 x 1024 the screen shows
    EXPECT_EQ(outcome.width, 1500);
    EXPECT_EQ(outcome.height, 1500);
    EXPECT_EQ(outcome.thumbnail, 1);
}

TEST(HostilePhoto, whatIsNoJpegIsSkippedBeforeItIsReadWhole) {
    TempDir dir;
    cv::Mat noise(64, 64, CV_8UC3);
    cv::randu(noise, 0, 256);
    std::vector<std::uint8_t> png;
    ASSERT_TRUE(cv::imencode(".png", noise, png));
    EXPECT_FALSE(Try(dir, std::string(png.begin(), png.end())).loaded);
    // 100 MB that are no JPEG, held sparse so that the test writes nothing.
    const std::string big = dir.path() + "BIG.JPG";
    const int fd = open(big.c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, "RIFF", 4), 4);
    ASSERT_EQ(ftruncate(fd, 100 << 20), 0);
    close(fd);
    EXPECT_FALSE(ReadJpegBytes(big));
    QELFileInfo record;
    record.path = big;
    EXPECT_EQ(MakeThumbnail(&record, kListBox), 0);
}

TEST(HostilePhoto, aProgressiveJpegOfThousandsOfScansIsRefused) {
    const std::string jpeg = SmallJpeg(true);
    const std::size_t scans = jpeg.find("\xFF\xDA");
    std::string many = jpeg.substr(0, scans);
    for (int i = 0; i < 1000; ++i) {
        many += jpeg.substr(scans, jpeg.size() - 2 - scans);
    }
    TempDir dir;
    const Outcome outcome = Try(dir, many + "\xFF\xD9");
    EXPECT_FALSE(outcome.loaded);
    EXPECT_EQ(outcome.thumbnail, 0);
    EXPECT_TRUE(Try(dir, jpeg).loaded) << "a real progressive file has its ten scans or so";
}

TEST(HostilePhoto, aLongRunOfApp0SegmentsIsWalkedAtOnce) {
    const std::string jpeg = SmallJpeg();
    std::string run;
    const std::string app0 = std::string("\xFF\xE0\x00\x10JFIF\0", 9) + std::string(9, '\x01');
    for (int i = 0; i < 100000; ++i) {
        run += app0;
    }
    TempDir dir;
    const Outcome outcome = Try(dir, jpeg.substr(0, 2) + run + jpeg.substr(2));
    EXPECT_TRUE(outcome.loaded);
    EXPECT_EQ(outcome.width, 64);
    EXPECT_EQ(outcome.thumbnail, 1);
}

// The bounds themselves, on frames as their headers describe them.
TEST(HostilePhoto, decodeLimitsFollowWhatTheDecoderMustHold) {
    const auto frame = [](int sof, int width, int height, double samplesPerPixel,
                          int scanComponents, int scans) {
        JpegFrame f;
        f.sofMarker = sof;
        f.width = width;
        f.height = height;
        f.components = 3;
        f.samples = static_cast<std::uint64_t>(samplesPerPixel * width * height);
        f.scanComponents = scanComponents;
        f.scans = scans;
        return f;
    };
    // Baseline, one interleaved scan: rows are decoded as they come.
    EXPECT_TRUE(WithinDecodeLimits(frame(0xC0, 16000, 12500, 3, 3, 1))); // 200 MP
    EXPECT_FALSE(WithinDecodeLimits(frame(0xC0, 16000, 12501, 3, 3, 1)));
    EXPECT_FALSE(WithinDecodeLimits(frame(0xC0, 800, 600, 3, 3, kMaxJpegScans + 1)));
    // Progressive, or components coded in later scans: every coefficient is held.
    EXPECT_TRUE(WithinDecodeLimits(frame(0xC2, 8000, 8000, 1.5, 3, 10))); // 4:2:0, 192 MB
    EXPECT_FALSE(WithinDecodeLimits(frame(0xC2, 12000, 12000, 1.5, 3, 10)));
    EXPECT_FALSE(WithinDecodeLimits(frame(0xC0, 12000, 12000, 1.5, 1, 3)));
    EXPECT_TRUE(WithinDecodeLimits(frame(0xC0, 12000, 12000, 1.5, 3, 1)));
}
