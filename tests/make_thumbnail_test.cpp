#include "image/jpeg_frame.h"
#include "image/make_thumbnail.h"
#include "image/qel_image_load.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>
#include <sys/stat.h>

#include <climits>
#include <filesystem>
#include <mutex>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr ImageBox kListBox{0, 0, 30, 30};

// Gradients, shapes and sensor-like grain: as busy as a photo, reproducibly.
Bytes CameraLikeJpeg(int width, int height, int channels) {
    cv::RNG rng(static_cast<std::uint64_t>(width) * 7919 + height);
    cv::Mat corners(2, 2, CV_8UC(channels));
    rng.fill(corners, cv::RNG::UNIFORM, 40, 220);
    cv::Mat picture;
    cv::resize(corners, picture, cv::Size(width, height), 0, 0, cv::INTER_LINEAR);
    for (int i = 0; i < 8; ++i) {
        const cv::Point centre(rng.uniform(0, width), rng.uniform(0, height));
        const cv::Scalar colour(rng.uniform(0, 256), rng.uniform(0, 256), rng.uniform(0, 256));
        cv::circle(picture, centre, rng.uniform(width / 40, width / 8), colour, cv::FILLED);
    }
    cv::Mat grain(height, width, CV_16SC(channels));
    rng.fill(grain, cv::RNG::NORMAL, 0, 14);
    cv::add(picture, grain, picture, cv::noArray(), picture.type());
    Bytes jpeg;
    EXPECT_TRUE(cv::imencode(".jpg", picture, jpeg, {cv::IMWRITE_JPEG_QUALITY, 92}));
    return jpeg;
}

const Bytes& LandscapePhoto() {
    static const Bytes jpeg = CameraLikeJpeg(4000, 3000, 3); // made once: it takes a while
    return jpeg;
}

std::string WriteBytes(const TempDir& dir, const std::string& name, const Bytes& bytes) {
    WriteFile(dir.path() + name, std::string(bytes.begin(), bytes.end()));
    return dir.path() + name;
}

Bytes Segment(std::uint8_t marker, const Bytes& payload) {
    const std::size_t length = payload.size() + 2;
    Bytes segment{0xFF, marker, static_cast<std::uint8_t>(length >> 8),
                  static_cast<std::uint8_t>(length & 0xFF)};
    segment.insert(segment.end(), payload.begin(), payload.end());
    return segment;
}

// APP1 with an IFD0 of one entry: the orientation, a SHORT.
Bytes ExifApp1(int orientation, bool bigEndian) {
    const std::uint8_t order = bigEndian ? 'M' : 'I';
    Bytes app1{'E', 'x', 'i', 'f', 0, 0, order, order};
    auto put = [&](std::uint32_t value, int width) {
        for (int i = 0; i < width; ++i) {
            app1.push_back(static_cast<std::uint8_t>(value >> 8 * (bigEndian ? width - 1 - i : i)));
        }
    };
    put(42, 2);
    put(8, 4); // IFD0 right after the header
    put(1, 2); // one entry
    put(0x0112, 2);
    put(3, 2);
    put(1, 4);
    put(orientation, 2); // a SHORT fills the first half of the value field
    put(0, 2);
    put(0, 4); // no next IFD
    return Segment(0xE1, app1);
}

Bytes FrameHeader(std::uint8_t marker, int width, int height, std::uint8_t components) {
    Bytes payload{8,
                  static_cast<std::uint8_t>(height >> 8),
                  static_cast<std::uint8_t>(height),
                  static_cast<std::uint8_t>(width >> 8),
                  static_cast<std::uint8_t>(width),
                  components};
    for (std::uint8_t i = 1; i <= components; ++i) {
        payload.insert(payload.end(), {i, 0x11, 0});
    }
    return Segment(marker, payload);
}

// SOI, the given segments, a scan header, some scan data and EOI.
Bytes HandMadeJpeg(const std::vector<Bytes>& segments) {
    Bytes jpeg{0xFF, 0xD8};
    for (const Bytes& segment : segments) {
        jpeg.insert(jpeg.end(), segment.begin(), segment.end());
    }
    const Bytes scan = Segment(0xDA, {1, 1, 0, 0, 63, 0});
    jpeg.insert(jpeg.end(), scan.begin(), scan.end());
    jpeg.insert(jpeg.end(), {0x12, 0xFF, 0x00, 0x56, 0xFF, 0xD9});
    return jpeg;
}

cv::Mat View(const ImagePixels& pixels) {
    return cv::Mat(pixels.height, pixels.width, CV_MAKETYPE(CV_8U, pixels.channels),
                   const_cast<std::uint8_t*>(pixels.bytes.data()), pixels.stride);
}

// Makes the thumbnail of `path` and checks it against decoding everything and fitting that:
// both fail, or both give the same size, channels and look. Returns the thumbnail made.
cv::Mat ThumbnailLikeFullWay(const std::string& path) {
    QELImage full;
    const bool decodes = Load(full, path) && FitInto(full, kListBox);
    QELFileInfo record;
    record.path = path;
    EXPECT_EQ(MakeThumbnail(&record, kListBox), decodes ? 1 : 0) << path;
    EXPECT_EQ(record.thumbReady, decodes ? 1 : 0) << path;
    if (!decodes || !record.thumbnail.image) {
        return {};
    }
    const cv::Mat made = View(*record.thumbnail.image);
    const cv::Mat expected = View(*full.image);
    EXPECT_EQ(record.thumbnail.topDown, 1) << path;
    EXPECT_EQ(made.size(), expected.size()) << path;
    EXPECT_EQ(made.type(), expected.type()) << path;
    if (made.size() == expected.size() && made.type() == expected.type()) {
        const double mean =
            cv::norm(made, expected, cv::NORM_L1) / (made.total() * made.channels());
        EXPECT_LT(mean, 1.0) << path;
    }
    return made.clone();
}

} // namespace

TEST(FittedSize, comparesRatiosThroughFloatMultipliesInSixtyFourBitsAndStaysInAnInt) {
    // 16777217 becomes 16777216 as a float: the ratios tie and the box's height decides.
    EXPECT_EQ(FittedSize(16777217, 1, {0, 0, 16777216, 1})->width, 16777217);
    EXPECT_EQ(FittedSize(30000, 40000, {0, 0, 100000, 100000})->width, 75000);
    EXPECT_FALSE(FittedSize(4000, 1, {INT_MIN, 0, INT_MAX, INT_MAX}));
    EXPECT_FALSE(FittedSize(0, 10, kListBox));
}

TEST(JpegFrame, readsTheFramePastTablesFillAndStrayBytesAndHuffmanSegments) {
    Bytes tables = Segment(0xDB, Bytes(65, 1));
    tables.insert(tables.end(), {0xFF, 0xFF}); // fill bytes before the next marker
    tables.insert(tables.end(),
                  {0x00, 0x27, 0xFF, 0x00}); // stray bytes, passed over as the decoder does
    // Huffman tables share the frame markers' range; these bytes would read as a 1x1 frame.
    const Bytes huffman = Segment(0xC4, {8, 0, 1, 0, 1, 3, 1, 0x11, 0, 2, 0x11, 0, 3, 0x11, 0});
    Bytes jpeg = HandMadeJpeg({tables, huffman, FrameHeader(0xC2, 400, 300, 3)});
    const auto frame = ReadJpegFrame(jpeg);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->sofMarker, 0xC2);
    EXPECT_EQ(frame->precision, 8);
    EXPECT_EQ(frame->width, 400);
    EXPECT_EQ(frame->height, 300);
    EXPECT_EQ(frame->components, 3);
    EXPECT_EQ(frame->orientation, 1);
    EXPECT_EQ(frame->samples, 400u * 300 * 3);
    EXPECT_EQ(frame->scanComponents, 1);
    EXPECT_EQ(frame->scans, 1);
    EXPECT_TRUE(frame->endsWithEoi);
    jpeg.pop_back();
    EXPECT_FALSE(ReadJpegFrame(jpeg)->endsWithEoi);
}

TEST(JpegFrame, countsSubsampledSamplesAndTheScansUpToTheEnd) {
    Bytes sof = FrameHeader(0xC2, 101, 51, 3);
    sof[11] = 0x22; // luma 2x2, chroma 1x1: 4:2:0
    Bytes jpeg = HandMadeJpeg({sof});
    const Bytes scan = Segment(0xDA, {1, 1, 0, 0, 63, 0});
    const Bytes table = Segment(0xC4, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    const Bytes data{0xFF, 0x00, 0xFF, 0xD3, 0x12}; // a coded 0xFF and a restart marker
    Bytes more;
    for (int i = 0; i < 3; ++i) {
        more.insert(more.end(), table.begin(), table.end());
        more.insert(more.end(), scan.begin(), scan.end());
        more.insert(more.end(), data.begin(), data.end());
    }
    jpeg.insert(jpeg.end() - 2, more.begin(), more.end());
    const Bytes afterEnd = Segment(0xDA, {1, 1, 0, 0, 63, 0}); // another picture's, not counted
    jpeg.insert(jpeg.end(), afterEnd.begin(), afterEnd.end());
    const auto frame = ReadJpegFrame(jpeg);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->samples, 101u * 51 + 2u * 51 * 26);
    EXPECT_EQ(frame->scans, 4);
    EXPECT_FALSE(frame->endsWithEoi);
}

TEST(JpegFrame, readsTheOrientationOfTheFirstApp1InEitherByteOrder) {
    const Bytes sof = FrameHeader(0xC0, 64, 48, 1);
    const Bytes xmp = Segment(0xE1, {'h', 't', 't', 'p', ':', '/', '/', 'n', 's', 0});
    Bytes noIfd = ExifApp1(6, false);
    noIfd[17] = 0xF0; // IFD0 far past the end
    const std::pair<std::vector<Bytes>, int> cases[] = {
        {{ExifApp1(6, false), sof}, 6}, {{ExifApp1(8, true), sof}, 8},
        {{sof, ExifApp1(5, true)}, 5},  {{xmp, ExifApp1(6, false), sof}, 1},
        {{ExifApp1(9, false), sof}, 1}, {{noIfd, sof}, 1},
    };
    for (const auto& [segments, orientation] : cases) {
        const auto frame = ReadJpegFrame(HandMadeJpeg(segments));
        ASSERT_TRUE(frame) << orientation;
        EXPECT_EQ(frame->orientation, orientation);
    }
}

TEST(JpegFrame, failsWhenTheStructureIsBroken) {
    const Bytes sof = FrameHeader(0xC0, 64, 48, 3);
    const Bytes good = HandMadeJpeg({sof});
    Bytes badLength = good;
    badLength[11] = 2; // two components announced, three described
    Bytes noSampling = FrameHeader(0xC0, 64, 48, 1);
    noSampling[11] = 0x01;
    const std::pair<const char*, Bytes> cases[] = {
        {"empty", {}},
        {"SOI only", {0xFF, 0xD8}},
        {"no SOI", {0xFF, 0xD9, 0xFF, 0xD8}},
        {"stray byte right after SOI", HandMadeJpeg({{0x00}, sof})},
        {"segment running past the end", Bytes(good.begin(), good.begin() + 10)},
        {"length below two", HandMadeJpeg({{0xFF, 0xE0, 0x00, 0x01}, sof})},
        {"sampling factor 0", HandMadeJpeg({noSampling})},
        {"scan before any frame", HandMadeJpeg({})},
        {"end before any frame", {0xFF, 0xD8, 0xFF, 0xD9}},
        {"frame without width", HandMadeJpeg({FrameHeader(0xC0, 0, 48, 3)})},
        {"frame length disagreeing with components", badLength},
        {"marker code cut off", {0xFF, 0xD8, 0xFF}},
        {"scan header cut short", Bytes(good.begin(), good.end() - 9)},
        {"scan of no component", HandMadeJpeg({sof, Segment(0xDA, {0, 0, 63, 0})})},
    };
    for (const auto& [what, bytes] : cases) {
        EXPECT_FALSE(ReadJpegFrame(bytes)) << what;
    }
}

TEST(MakeThumbnail, looksLikeTheFullDecodeOnRealCameraFiles) {
    int files = 0;
    int decoded = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(TestDataDir() + "/cameras/whole")) {
        const std::string extension = entry.path().extension().string();
        if (extension == ".jpg" || extension == ".JPG") {
            ++files;
            decoded += ThumbnailLikeFullWay(entry.path().string()).empty() ? 0 : 1;
        }
    }
    EXPECT_GT(files, 50);
    EXPECT_GT(decoded, files * 9 / 10);
}

TEST(MakeThumbnail, fitsLandscapePortraitTurnedAndGreyPhotosLikeTheFullDecode) {
    TempDir dir;
    auto tagged = [](int orientation, bool bigEndian) {
        Bytes jpeg = LandscapePhoto();
        const Bytes app1 = ExifApp1(orientation, bigEndian);
        jpeg.insert(jpeg.begin() + 2, app1.begin(), app1.end());
        return jpeg;
    };
    const std::pair<Bytes, cv::Size> cases[] = {
        {LandscapePhoto(), {30, 22}}, {CameraLikeJpeg(3000, 4000, 3), {22, 30}},
        {tagged(6, false), {22, 30}}, {tagged(8, true), {22, 30}},
        {tagged(3, true), {30, 22}},  {CameraLikeJpeg(2000, 1500, 1), {30, 22}},
    };
    int n = 0;
    cv::Mat made;
    for (const auto& [jpeg, size] : cases) {
        const std::string path = WriteBytes(dir, std::to_string(++n) + ".JPG", jpeg);
        made = ThumbnailLikeFullWay(path);
        EXPECT_EQ(made.size(), size) << path;
    }
    EXPECT_EQ(made.channels(), 1); // the grey one stays grey
}

TEST(MakeThumbnail, givesAPhotoCutShortInItsScanTheFullDecodesGreyRows) {
    TempDir dir;
    const Bytes& whole = LandscapePhoto();
    const Bytes cut(whole.begin(), whole.begin() + whole.size() * 6 / 10);
    EXPECT_EQ(ThumbnailLikeFullWay(WriteBytes(dir, "cut.JPG", cut)).size(), cv::Size(30, 22));
}

TEST(MakeThumbnail, makesNothingForFoldersEmptyPathsAndUndecodableFilesAndFreesTheMutex) {
    TempDir dir;
    const std::string photo = WriteBytes(dir, "P.JPG", CameraLikeJpeg(64, 48, 3));
    const Bytes head(LandscapePhoto().begin(), LandscapePhoto().begin() + 300);
    const struct {
        std::string path;
        int isFolder;
        int made;
    } cases[] = {
        {photo, 0, 1},
        {photo, 1, 0},
        {"", 0, 0},
        {dir.path() + "missing.JPG", 0, 0},
        {WriteBytes(dir, "garbage.JPG", {'n', 'o', ' ', 'J', 'P', 'E', 'G'}), 0, 0},
        {WriteBytes(dir, "cut.JPG", head), 0, 0},
        {dir.path() + "pipe.JPG", 0, 0},
        {dir.path() + "folder.JPG", 0, 0},
    };
    ASSERT_EQ(mkfifo((dir.path() + "pipe.JPG").c_str(), 0600), 0);
    ASSERT_EQ(mkdir((dir.path() + "folder.JPG").c_str(), 0700), 0);
    std::mutex mutex;
    for (const auto& c : cases) {
        QELFileInfo record;
        record.mutex = &mutex;
        record.path = c.path;
        record.isFolder = c.isFolder;
        EXPECT_EQ(MakeThumbnail(&record, kListBox), c.made) << c.path << c.isFolder;
        EXPECT_EQ(record.thumbReady, c.made) << c.path;
        EXPECT_EQ(record.thumbnail.image != nullptr, c.made == 1) << c.path;
        EXPECT_TRUE(mutex.try_lock()) << c.path;
        mutex.unlock();
    }
    EXPECT_EQ(MakeThumbnail(nullptr, kListBox), 0);
}
