#include "exif/exif_analize.h"
#include "exif/header_bytes.h"
#include "tests/exif_builder.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int Load(CExifAnalize& reader, const std::string& bytes) {
    TempDir dir;
    WriteFile(dir.path() + "photo.JPG", bytes);
    return reader.LoadExif(dir.path() + "photo.JPG");
}

// The TIFF data starts after SOI, the APP1 marker, its length and "Exif\0\0".
constexpr std::size_t kTiffBase = 12;

// Overwrites the 4 bytes at `offset` of the TIFF data (little-endian) with `value`.
std::string Patched(std::string tiff, std::size_t offset, std::uint32_t value, int width = 4) {
    tiff.replace(offset, width, Bytes(value, width, false));
    return tiff;
}

// IFD0 at 8: the count, then entry i at 10 + 12 i with its value field at 18 + 12 i.
constexpr std::size_t ValueField(int entry) {
    return 18 + 12 * entry;
}

} // namespace

TEST(ExifHostile, readsEveryTruncationOfAFileWithoutFaultAndFailsOnlyWithoutAHeader) {
    for (const bool bigEndian : {false, true}) {
        const std::string full = ExifJpeg(BuildTiff(CameraLayout(bigEndian, "N", "E")));
        std::size_t previous = 0;
        for (std::size_t length = 0; length <= full.size(); ++length) {
            CExifAnalize reader;
            const int result = Load(reader, full.substr(0, length));
            ASSERT_EQ(result, length < kTiffBase + 8 ? -2 : 0) << length;
            ASSERT_GE(reader.m_entries.size(), previous) << length;
            previous = reader.m_entries.size();
        }
        EXPECT_EQ(previous, 12u);
    }
}

TEST(ExifHostile, readsEveryTruncationOfAFileOnlyTheSecondLookDatesWithoutFault) {
    const std::string app2 = "\xFF\xE2" + Bytes(4, 2, true) + "ab";
    const std::string full =
        "\xFF\xD8" + app2 + ExifJpeg(BuildTiff(CameraLayout(true, "N", "E"))).substr(2);
    bool dated = false;
    for (std::size_t length = 0; length <= full.size(); ++length) {
        CExifAnalize reader;
        const int result = Load(reader, full.substr(0, length));
        std::int64_t time = 0;
        const bool now = result == 0 && reader.GetDateTimeOriginal(time) == 1;
        // Without a date the second look's reading counts for nothing; once dated, stays dated.
        ASSERT_EQ(result, now ? 0 : -2) << length;
        ASSERT_EQ(reader.m_entries.empty(), !now) << length;
        ASSERT_TRUE(now || !dated) << length;
        dated = now;
    }
    EXPECT_TRUE(dated);
}

TEST(ExifHostile, givesUpOnARunOfApp0SegmentsNoCameraWrites) {
    const std::string app0 = std::string("\xFF\xE0\x00\x10JFIF\x00", 9) + std::string(9, '\x01');
    const std::string exif = ExifJpeg(BuildTiff(CameraLayout(true, "N", "E"))).substr(2);
    std::string few = "\xFF\xD8";
    for (int i = 0; i < 3; ++i) {
        few += app0;
    }
    CExifAnalize reader;
    EXPECT_EQ(Load(reader, few + exif), 0);
    std::string run = "\xFF\xD8";
    for (int i = 0; i < 100000; ++i) {
        run += app0;
    }
    CExifAnalize refusing;
    EXPECT_EQ(Load(refusing, run + exif), -2);
    EXPECT_TRUE(refusing.m_entries.empty());
}

TEST(ExifHostile, dropsAnEntryWhoseValuesLiePastTheEndAndReadsOn) {
    TiffLayout layout;
    layout.ifd0 = {TiffEntry::Ascii(0x010E, "a description"),
                   TiffEntry::Rationals(0x011A, {{72, 1}}, false),
                   TiffEntry::Rationals(0x011B, {{72, 1}}, false), TiffEntry::Ascii(0x0131, "ok")};
    std::string tiff = BuildTiff(layout);
    tiff = Patched(tiff, ValueField(0), 0x00FFFFF0); // text far past the end
    tiff = Patched(tiff, ValueField(1), 0x80000000); // before the start of the file
    tiff = Patched(tiff, ValueField(2), 0xFFFFFFF4); // -12: the SOI, a readable place
    CExifAnalize reader;
    ASSERT_EQ(Load(reader, ExifJpeg(tiff)), 0);
    ASSERT_EQ(reader.m_entries.size(), 2u);
    EXPECT_EQ(reader.m_entries[0].m_nTag, 0x011B);
    EXPECT_EQ(reader.m_entries[0].m_nNumerator[0], 0xE1FFD8FFu);
    EXPECT_EQ(reader.m_entries[1].m_strText, "ok");
}

TEST(ExifHostile, endsADirectoryWhoseCountRunsPastTheEndOrIsNegative) {
    TiffLayout layout;
    layout.ifd0 = {TiffEntry::Ascii(0x010F, "A"), TiffEntry::Ascii(0x0110, "B")};
    const std::string tiff = BuildTiff(layout);
    CExifAnalize huge;
    ASSERT_EQ(Load(huge, ExifJpeg(Patched(tiff, 8, 0x7FFF, 2))), 0);
    // Past the two real entries fewer than 12 bytes remain.
    EXPECT_EQ(huge.m_entries.size(), 2u);
    CExifAnalize negative;
    ASSERT_EQ(Load(negative, ExifJpeg(Patched(tiff, 8, 0x8000, 2))), 0);
    EXPECT_TRUE(negative.m_entries.empty());
}

TEST(ExifHostile, keepsTheHeaderButNoEntriesWhenTheDirectoriesLiePastTheEnd) {
    TiffLayout layout = CameraLayout(false, "N", "E");
    const std::string tiff = BuildTiff(layout);
    CExifAnalize noIfd0;
    ASSERT_EQ(Load(noIfd0, ExifJpeg(Patched(tiff, 4, 0xFFFFFFF0))), 0);
    EXPECT_TRUE(noIfd0.m_entries.empty());
    // IFD0 holds make, model, orientation, then the Exif and GPS pointers.
    CExifAnalize noSubIfds;
    const std::string bad =
        Patched(Patched(tiff, ValueField(3), 0x7FFFFFF0), ValueField(4), 1u << 31);
    ASSERT_EQ(Load(noSubIfds, ExifJpeg(bad)), 0);
    EXPECT_EQ(noSubIfds.m_entries.size(), 5u);
}

TEST(ExifHostile, readsADirectoryThatPointsBackAtItselfOnceMore) {
    TiffLayout layout;
    layout.ifd0 = {TiffEntry::Ascii(0x010F, "A")};
    layout.exif = {TiffEntry::Ascii(0x9003, "2020:01:01 00:00:00")};
    layout.gps = {TiffEntry::Ascii(1, "N")};
    std::string tiff = BuildTiff(layout);
    tiff = Patched(tiff, ValueField(1), 8); // Exif pointer -> IFD0
    tiff = Patched(tiff, ValueField(2), 8); // GPS pointer -> IFD0
    CExifAnalize reader;
    ASSERT_EQ(Load(reader, ExifJpeg(tiff)), 0);
    ASSERT_EQ(reader.m_entries.size(), 9u);
    EXPECT_EQ(reader.m_entries[3].m_nIfd, 1);
    EXPECT_EQ(reader.m_entries[8].m_nIfd, 2);
}

TEST(ExifHostile, cutsTextAtTheScratchCapacityAndKeepsTheFirstTenRationals) {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> twenty;
    for (std::uint32_t i = 1; i <= 20; ++i) {
        twenty.emplace_back(i, 100 + i);
    }
    TiffLayout layout;
    layout.ifd0 = {TiffEntry{0x010E, 2, 100000, std::string(9000, 'x')},
                   TiffEntry::Rationals(0x011A, twenty, false),
                   TiffEntry{0x011B, 5, 0xFFFFFFFF, TiffEntry::Rationals(0, twenty, false).bytes}};
    CExifAnalize reader;
    ASSERT_EQ(Load(reader, ExifJpeg(BuildTiff(layout))), 0);
    ASSERT_EQ(reader.m_entries.size(), 3u);
    EXPECT_EQ(reader.m_entries[0].m_strText, std::string(8192, 'x'));
    for (const CExifEntryInfo& entry : {reader.m_entries[1], reader.m_entries[2]}) {
        EXPECT_EQ(entry.m_nNumerator[9], 10u);
        EXPECT_EQ(entry.m_nDenominator[9], 110u);
    }
}

TEST(ExifHostile, failsToOpenWhatIsNoRegularFileWithoutBlocking) {
    TempDir dir;
    CExifAnalize reader;
    EXPECT_EQ(reader.LoadExif(dir.path() + "missing.JPG"), -1);
    EXPECT_EQ(reader.LoadExif(dir.path()), -1);
    ASSERT_EQ(mkfifo((dir.path() + "fifo.JPG").c_str(), 0600), 0);
    EXPECT_EQ(reader.LoadExif(dir.path() + "fifo.JPG"), -1);
    EXPECT_EQ(reader.m_file, -1);
}

TEST(ExifHostile, failsToOpenAFileItMayNotRead) {
    TempDir dir;
    CExifAnalize reader;
    WriteFile(dir.path() + "locked.JPG", ExifJpeg(BuildTiff(CameraLayout(false, "N", "E"))));
    ASSERT_EQ(chmod((dir.path() + "locked.JPG").c_str(), 0), 0);
    if (access((dir.path() + "locked.JPG").c_str(), R_OK) == 0) {
        GTEST_SKIP() << "permissions do not apply to this user";
    }
    EXPECT_EQ(reader.LoadExif(dir.path() + "locked.JPG"), -1);
}

TEST(HeaderBytes, servesReadsNearAndFarAndRefusesThosePastTheEnd) {
    TempDir dir;
    std::string content(300000, '\0');
    for (std::size_t i = 0; i < content.size(); ++i) {
        content[i] = static_cast<char>(i * 7 % 251);
    }
    WriteFile(dir.path() + "big", content);
    const int fd = open((dir.path() + "big").c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    HeaderBytes bytes;
    bytes.reset(fd, content.size());
    const auto expect = [&](std::uint64_t offset, std::uint64_t length) {
        const auto got = bytes.slice(offset, length);
        ASSERT_TRUE(got) << offset;
        EXPECT_EQ(std::string(got->begin(), got->end()), content.substr(offset, length)) << offset;
    };
    expect(0, 2);
    expect(60000, 12);    // past the prefix: a window there
    expect(60100, 100);   // within that window
    expect(4000, 8192);   // runs on past the prefix, which grows
    expect(200000, 8192); // far: a window there
    expect(content.size() - 1, 1);
    expect(content.size(), 0);
    EXPECT_FALSE(bytes.slice(content.size(), 1));
    EXPECT_FALSE(bytes.slice(content.size() - 4, 8));
    EXPECT_FALSE(bytes.slice(~0ull - 1, 4));
    // A file that shrinks under the reader gives failed reads, not stale bytes.
    ASSERT_EQ(truncate((dir.path() + "big").c_str(), 100), 0);
    EXPECT_FALSE(bytes.slice(250000, 16));
    EXPECT_FALSE(bytes.slice(130000, 16));
    // What was stepped over was never fetched; the prefix was.
    EXPECT_FALSE(bytes.slice(30000, 16));
    EXPECT_TRUE(bytes.slice(12000, 100));
    close(fd);
}
