#include "exif/camera_written.h"
#include "exif/exif_preview.h"
#include "platform/shooting_time_text.h"
#include "tests/exif_builder.h"

#include <gtest/gtest.h>

namespace {

const std::string kShot = "2011:03:05 09:07:12";
const std::string kPreview = "\xFF\xD8\xFF\xDB preview \xFF\xD9";

TiffLayout CameraTiff(bool bigEndian) {
    TiffLayout layout;
    layout.bigEndian = bigEndian;
    layout.ifd0 = {TiffEntry::Ascii(0x010F, "TESSA"), TiffEntry::Ascii(0x0110, "T-160"),
                   TiffEntry::Ascii(0x0131, "Ver.1.00"), TiffEntry::Ascii(0x0132, kShot)};
    layout.exif = {TiffEntry::Ascii(0x9003, kShot), TiffEntry::Short(0xA002, 4000, bigEndian),
                   TiffEntry::Long(0xA003, 3000, bigEndian)};
    layout.next = {TiffEntry::Short(0x0103, 6, bigEndian)};
    return layout;
}

// The preview's bytes stay in `tiff`.
std::optional<ExifPreview> Read(const std::string& tiff) {
    return ReadExifPreview(
        std::span(reinterpret_cast<const std::uint8_t*>(tiff.data()), tiff.size()));
}

std::int64_t ShotSeconds() {
    std::int64_t seconds = 0;
    EXPECT_TRUE(ParseShootingTimeText(kShot, seconds));
    return seconds;
}

} // namespace

TEST(ExifPreview, readsThePreviewAndTheCameraTagsInEitherByteOrder) {
    for (const bool bigEndian : {false, true}) {
        const std::string tiff = BuildTiffWithPreview(CameraTiff(bigEndian), kPreview);
        const auto read = Read(tiff);
        ASSERT_TRUE(read) << bigEndian;
        EXPECT_EQ(std::string(read->jpeg.begin(), read->jpeg.end()), kPreview);
        EXPECT_EQ(read->make, "TESSA");
        EXPECT_EQ(read->model, "T-160");
        EXPECT_EQ(read->software, "Ver.1.00");
        EXPECT_EQ(read->dateTime, kShot);
        EXPECT_EQ(read->dateTimeOriginal, kShot);
        EXPECT_EQ(read->pixelWidth, 4000u);
        EXPECT_EQ(read->pixelHeight, 3000u);
    }
}

TEST(ExifPreview, findsNoPreviewWithoutANextIfdOrWhereItWouldRunPastTheBytes) {
    const std::string whole = BuildTiffWithPreview(CameraTiff(false), kPreview);
    TiffLayout noNext = CameraTiff(false);
    noNext.next.clear();
    TiffLayout lengthOnly = CameraTiff(false);
    lengthOnly.next.push_back(TiffEntry::Long(0x0202, 20, false));
    std::string ifd1Away = whole;
    ifd1Away[8 + 2 + 12 * 5 + 3] = '\x7F'; // the high byte of IFD0's next-IFD link
    const std::pair<const char*, std::string> cases[] = {
        {"no next IFD", BuildTiff(noNext) + kPreview},
        {"no offset", BuildTiff(lengthOnly)},
        {"preview cut short", whole.substr(0, whole.size() - 1)},
        {"next IFD past the end", ifd1Away},
        {"not TIFF", "II\x2B\x00" + whole.substr(4)},
    };
    EXPECT_TRUE(Read(whole));
    for (const auto& [what, tiff] : cases) {
        EXPECT_FALSE(Read(tiff)) << what;
    }
}

TEST(CameraWritten, takesFirmwareNamesButNoProgramsName) {
    const struct {
        const char* software;
        const char* make;
        const char* model;
        bool firmware;
    } cases[] = {
        {"", "Canon", "Canon EOS 6D", true},
        {"Ver.1.00u", "Minolta Co., Ltd.", "DiMAGE 7i", true},
        {"Version 1.0", "OLYMPUS IMAGING CORP.", "TG-830", true},
        {"SLT-A58 v1.01", "SONY", "SLT-A58", true},
        {"Digital Camera X-T2 Ver2.00", "FUJIFILM", "X-T2", true},
        {"fw 05.15 prm 07.53", "SAMSUNG", "GT-I9000", true},
        {"ELE-L29 10.1.0.150(C431E22R2P5)", "HUAWEI", "ELE-L29", true},
        {"GIMP 2.8.16", "NIKON CORPORATION", "NIKON D3100", false},
        {"Nikon Transfer 1.1 W", "NIKON", "COOLPIX P6000", false},
        {"paint.net 4.2.13", "Apple", "iPhone XR", false},
        {"SIGMA PhotoPro 2.0.0.1586", "SIGMA", "SIGMA SD10", false},
        {"Adobe Photoshop Lightroom 6.1 (Windows)", "Canon", "Canon EOS 600D", false},
        {"写真 1.0", "TESSA", "T-160", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsFirmwareName(c.software, c.make, c.model), c.firmware) << c.software;
    }
}

// DateTime and Software are tried on whole files in camera_preview_test.cpp.
TEST(CameraWritten, wantsTheFileWrittenFromTwoSecondsBeforeTheShotToAMinuteAfter) {
    const std::string tiff = BuildTiffWithPreview(CameraTiff(false), kPreview);
    const auto read = Read(tiff);
    ASSERT_TRUE(read);
    const std::int64_t shot = ShotSeconds();
    EXPECT_TRUE(WrittenByCamera(*read, shot - 2));
    EXPECT_TRUE(WrittenByCamera(*read, shot + kLatestCameraWrite));
    EXPECT_FALSE(WrittenByCamera(*read, shot - 3));
    EXPECT_FALSE(WrittenByCamera(*read, shot + kLatestCameraWrite + 1));
    ExifPreview unset = *read;
    unset.dateTime = unset.dateTimeOriginal = "0000:00:00 00:00:00";
    EXPECT_FALSE(WrittenByCamera(unset, 0));
}
