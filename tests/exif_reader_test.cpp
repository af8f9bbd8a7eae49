#include "exif/exif_analize.h"
#include "platform/local_time.h"
#include "tests/exif_builder.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

namespace {

// Loads `bytes` as a photo file into `reader` and returns LoadExif's result.
int Load(CExifAnalize& reader, const std::string& bytes) {
    TempDir dir;
    WriteFile(dir.path() + "photo.JPG", bytes);
    return reader.LoadExif(dir.path() + "photo.JPG");
}

std::string DateText(const CExifAnalize& reader) {
    std::int64_t time = 0;
    return reader.GetDateTimeOriginal(time) ? FormatDateTime(SecondsToLocal(time)) : "none";
}

std::vector<std::uint16_t> Tags(const CExifAnalize& reader) {
    std::vector<std::uint16_t> tags;
    for (const CExifEntryInfo& entry : reader.m_entries) {
        tags.push_back(entry.m_nTag);
    }
    return tags;
}

const std::string kJfifApp0("\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 18);

std::string CameraTiff(bool bigEndian = false) {
    return BuildTiff(CameraLayout(bigEndian, "S", "W"));
}

} // namespace

TEST(ExifReader, givesIdenticalEntriesAndAnswersForBothByteOrders) {
    CExifAnalize little, big;
    ASSERT_EQ(Load(little, ExifJpeg(CameraTiff(false))), 0);
    ASSERT_EQ(Load(big, ExifJpeg(CameraTiff(true))), 0);
    EXPECT_EQ(little.m_nByteOrder, CExifAnalize::kLittleEndian);
    EXPECT_EQ(big.m_nByteOrder, CExifAnalize::kBigEndian);
    ASSERT_EQ(little.m_entries.size(), 12u);
    ASSERT_EQ(big.m_entries.size(), little.m_entries.size());
    for (std::size_t i = 0; i < little.m_entries.size(); ++i) {
        const CExifEntryInfo& l = little.m_entries[i];
        const CExifEntryInfo& b = big.m_entries[i];
        SCOPED_TRACE(l.m_nTag);
        EXPECT_EQ(l.m_nTag, b.m_nTag);
        EXPECT_EQ(l.m_nType, b.m_nType);
        EXPECT_EQ(l.m_nCount, b.m_nCount);
        EXPECT_EQ(l.m_strText, b.m_strText);
        EXPECT_EQ(l.m_nIfd, b.m_nIfd);
        EXPECT_TRUE(std::equal(l.m_nNumerator, l.m_nNumerator + 10, b.m_nNumerator));
        EXPECT_TRUE(std::equal(l.m_nDenominator, l.m_nDenominator + 10, b.m_nDenominator));
        if (l.m_nType != 2) { // an inline text's value field is the same bytes, not the same number
            EXPECT_EQ(l.m_nValue, b.m_nValue);
        }
    }
    for (const CExifAnalize* reader : {&little, &big}) {
        double latitude = 0, longitude = 0;
        ASSERT_EQ(reader->GetGpsLatitude(latitude), 1);
        ASSERT_EQ(reader->GetGpsLongitude(longitude), 1);
        EXPECT_DOUBLE_EQ(latitude, -35.675);
        EXPECT_DOUBLE_EQ(longitude, -139.75);
        EXPECT_EQ(DateText(*reader), "2011:03:02 10:00:00");
    }
}

TEST(ExifReader, marksEachEntryWithItsDirectoryAndKeepsReadingOrder) {
    CExifAnalize reader;
    ASSERT_EQ(Load(reader, ExifJpeg(CameraTiff())), 0);
    EXPECT_EQ(Tags(reader), (std::vector<std::uint16_t>{0x010F, 0x0110, 0x0112, 34665, 34853,
                                                        0x829A, 0x9003, 0x9004, 1, 2, 3, 4}));
    EXPECT_EQ(reader.m_entries[0].m_nIfd, 0);
    EXPECT_EQ(reader.m_entries[5].m_nIfd, 1);
    EXPECT_EQ(reader.m_entries[8].m_nIfd, 2);
    CExifEntryInfo make;
    ASSERT_EQ(reader.FindEntry(0x010F, make), 0);
    EXPECT_EQ(make.m_strText, "TESSA");
    EXPECT_EQ(make.m_nCount, 6u);
    CExifEntryInfo exposure;
    ASSERT_EQ(reader.FindEntry(0x829A, exposure), 0);
    EXPECT_EQ(exposure.m_nNumerator[0], 1u);
    EXPECT_EQ(exposure.m_nDenominator[0], 250u);
    EXPECT_EQ(reader.FindEntry(0x9286, exposure), -1);
    EXPECT_EQ(reader.m_nTiffBase, 12);
}

TEST(ExifReader, followsNeitherTheNextIfdLinkNorAnyOtherDirectory) {
    TiffLayout layout;
    layout.ifd0 = {TiffEntry::Ascii(0x010F, "TESSA")};
    layout.next = {TiffEntry::Ascii(0x9003, "2020:01:01 00:00:00")};
    CExifAnalize reader;
    ASSERT_EQ(Load(reader, ExifJpeg(BuildTiff(layout))), 0);
    EXPECT_EQ(Tags(reader), std::vector<std::uint16_t>{0x010F});
    EXPECT_EQ(DateText(reader), "none");
}

TEST(ExifReader, walksPastStandardApp0OnlyAndLooksAgainAtEverySegmentForADate) {
    TiffLayout undated = CameraLayout(false, "S", "W");
    undated.exif.erase(undated.exif.begin() + 1); // DateTimeOriginal
    const std::string soi = "\xFF\xD8";
    const std::string quantTable = "\xFF\xDB" + Bytes(5, 2, true) + std::string(3, '\0');
    const std::string app2 = "\xFF\xE2" + Bytes(4, 2, true) + "ab";
    const std::string longApp0 = "\xFF\xE0" + Bytes(18, 2, true) + std::string(16, 'j');
    const std::string xmpApp1 = "\xFF\xE1" + Bytes(13, 2, true) + "http://ns.x";
    const std::string scan = "\xFF\xDA" + Bytes(2, 2, true);
    // What stands before the Exif APP1; whether the walk finds it, and whether the second look
    // does, which counts only when it finds a date.
    struct Case {
        std::string name, before;
        bool walk, look;
    };
    for (const Case& c : std::vector<Case>{
             {"APP1 first", soi, true, true},
             {"one JFIF APP0", soi + kJfifApp0, true, true},
             {"two JFIF APP0", soi + kJfifApp0 + kJfifApp0, true, true},
             {"quantisation table first", soi + quantTable, false, true},
             {"APP2 first", soi + app2, false, true},
             {"APP0 of 18 bytes", soi + longApp0, false, true},
             {"XMP APP1 before the Exif one", soi + xmpApp1, false, true},
             {"a fill byte before the marker", soi + "\xFF", false, true},
             {"start of scan first", soi + scan, false, false},
             {"an APP2 whose length runs past the end of the file, over the Exif APP1",
              soi + "\xFF\xE2" + Bytes(0xFFFF, 2, true), false, false},
             {"no marker after SOI", soi + std::string(1, '\0'), false, false},
             {"no SOI", "\xFF\xD9", false, false},
         }) {
        for (const bool dated : {true, false}) {
            SCOPED_TRACE(c.name + (dated ? ", dated" : ", undated"));
            const std::string tiff = dated ? CameraTiff() : BuildTiff(undated);
            const int expected = c.walk || (dated && c.look) ? 0 : -2;
            CExifAnalize reader;
            EXPECT_EQ(Load(reader, c.before + ExifJpeg(tiff).substr(2)), expected);
            EXPECT_EQ(reader.m_entries.size(), expected != 0 ? 0u : dated ? 12u : 11u);
            EXPECT_EQ(reader.m_bTiffOffsets, expected == 0 ? 1 : 0);
            EXPECT_EQ(DateText(reader), expected == 0 && dated ? "2011:03:02 10:00:00" : "none");
        }
    }
    CExifAnalize empty;
    EXPECT_EQ(Load(empty, ""), -2);
}

TEST(ExifReader, refusesAByteOrderMarkOtherThanIntelOrMotorola) {
    for (const std::string mark : {"IM", "MI", "ii", "\0\0"}) {
        std::string tiff = CameraTiff();
        tiff.replace(0, 2, mark);
        CExifAnalize reader;
        EXPECT_EQ(Load(reader, ExifJpeg(tiff)), -2) << mark;
        EXPECT_EQ(reader.m_nByteOrder, CExifAnalize::kNoByteOrder);
    }
}

TEST(ExifReader, stopsAnIfdAtTheFirstTagSmallerThanItsPredecessor) {
    TiffLayout layout;
    layout.ifd0 = {TiffEntry::Ascii(0x010F, "A"), TiffEntry::Ascii(0x0110, "B"),
                   TiffEntry::Ascii(0x0100, "C"), TiffEntry::Ascii(0x0131, "D")};
    layout.exif = {TiffEntry::Ascii(0x9004, "2020:01:01 00:00:00")};
    CExifAnalize reader;
    ASSERT_EQ(Load(reader, ExifJpeg(BuildTiff(layout))), 0);
    // The pointer to the Exif sub-IFD comes after the cut; the second look finds no date either,
    // so the walk's reading stands.
    EXPECT_EQ(Tags(reader), (std::vector<std::uint16_t>{0x010F, 0x0110}));

    // A date the walk reaches keeps its reading, although a whole one would hold more.
    layout.ifd0 = {TiffEntry::Ascii(0x010F, "A")};
    layout.exif = {TiffEntry::Ascii(0x9003, "2020:01:01 00:00:00"), TiffEntry::Ascii(0x0100, "C"),
                   TiffEntry::Ascii(0x9004, "2020:01:01 00:00:00")};
    CExifAnalize dated;
    ASSERT_EQ(Load(dated, ExifJpeg(BuildTiff(layout))), 0);
    EXPECT_EQ(Tags(dated), (std::vector<std::uint16_t>{0x010F, 34665, 0x9003}));
}

TEST(ExifReader, readsEachIfdWholeWhenTheWalkMissesTheDate) {
    TiffLayout layout = CameraLayout(true, "N", "E");
    // IFD0 falls before the Exif pointer, as some phones write it, and holds a stray entry of no
    // type numbered like GPSLatitudeRef. The date stands twice.
    layout.ifd0 = {TiffEntry::Ascii(0x0110, "B"), TiffEntry{1, 0, 1, "S"},
                   TiffEntry::Ascii(0x010F, "A")};
    layout.exif = {TiffEntry::Ascii(0x9003, "2011:03:02 10:00:00"), TiffEntry::Ascii(0x0100, "C"),
                   TiffEntry::Ascii(0x9003, "2019:01:01 00:00:00")};
    CExifAnalize reader;
    ASSERT_EQ(Load(reader, ExifJpeg(BuildTiff(layout))), 0);
    EXPECT_EQ(Tags(reader), (std::vector<std::uint16_t>{0x0110, 0x010F, 34665, 34853, 0x9003,
                                                        0x0100, 0x9003, 1, 2, 3, 4}));
    EXPECT_EQ(DateText(reader), "2011:03:02 10:00:00");
    double latitude = 0;
    ASSERT_EQ(reader.GetGpsLatitude(latitude), 1);
    EXPECT_DOUBLE_EQ(latitude, 35.675);
}

TEST(ExifReader, letsTheExifPointerStandAfterALargerTag) {
    TiffLayout layout;
    // The builder appends the pointers last: 34665 follows 0xC4A5, then 34853 follows 34665.
    layout.ifd0 = {TiffEntry::Ascii(0x010F, "A"), TiffEntry::Ascii(0xC4A5, "PrintIM")};
    layout.exif = {TiffEntry::Ascii(0x9003, "2020:01:01 00:00:00")};
    layout.gps = {TiffEntry::Ascii(1, "N")};
    CExifAnalize reader;
    ASSERT_EQ(Load(reader, ExifJpeg(BuildTiff(layout))), 0);
    EXPECT_EQ(Tags(reader), (std::vector<std::uint16_t>{0x010F, 0xC4A5, 34665, 34853, 0x9003, 1}));
    EXPECT_EQ(DateText(reader), "2020:01:01 00:00:00");
}

TEST(ExifReader, readsTheGpsReferenceFromTheFirstByteOfTheValueFieldInFileOrder) {
    for (const bool bigEndian : {false, true}) {
        for (const auto& [latRef, lonRef, latitude, longitude] :
             std::vector<std::tuple<std::string, std::string, double, double>>{
                 {"N", "E", 35.675, 139.75},
                 {"S", "W", -35.675, -139.75},
                 {"n", "e", -35.675, -139.75}, // anything but N or E counts as south or west
                 {"", "", -35.675, -139.75},
             }) {
            CExifAnalize reader;
            ASSERT_EQ(Load(reader, ExifJpeg(BuildTiff(CameraLayout(bigEndian, latRef, lonRef)))),
                      0);
            double lat = 0, lon = 0;
            ASSERT_EQ(reader.GetGpsLatitude(lat), 1);
            ASSERT_EQ(reader.GetGpsLongitude(lon), 1);
            EXPECT_DOUBLE_EQ(lat, latitude) << latRef << bigEndian;
            EXPECT_DOUBLE_EQ(lon, longitude) << lonRef << bigEndian;
        }
    }
}

TEST(ExifReader, givesNoCoordinateWithoutItsReferenceOrValueOrWithZeroDenominators) {
    TiffLayout layout = CameraLayout(false, "N", "E");
    layout.gps.erase(layout.gps.begin()); // no GPSLatitudeRef
    layout.gps[2] = TiffEntry::Rationals(4, {{139, 1}, {45, 1}, {0, 0}}, false);
    CExifAnalize reader;
    ASSERT_EQ(Load(reader, ExifJpeg(BuildTiff(layout))), 0);
    double lat = 7, lon = 7;
    EXPECT_EQ(reader.GetGpsLatitude(lat), 0);
    EXPECT_EQ(reader.GetGpsLongitude(lon), 0);
    EXPECT_EQ(lat, 7);
    EXPECT_EQ(lon, 7);

    // Fewer than three rationals, and degrees written as text, are no coordinate either.
    layout.gps = {TiffEntry::Ascii(1, "N"), TiffEntry::Rationals(2, {{35, 1}, {40, 1}}, false),
                  TiffEntry::Ascii(3, "E"), TiffEntry::Ascii(4, "139.75")};
    CExifAnalize partial;
    ASSERT_EQ(Load(partial, ExifJpeg(BuildTiff(layout))), 0);
    EXPECT_EQ(partial.GetGpsLatitude(lat), 0);
    EXPECT_EQ(partial.GetGpsLongitude(lon), 0);
}

TEST(ExifReader, answersGpsWithoutADateAndADateWithoutGps) {
    TiffLayout layout = CameraLayout(true, "N", "E");
    layout.exif.erase(layout.exif.begin() + 1); // DateTimeOriginal
    CExifAnalize reader;
    ASSERT_EQ(Load(reader, ExifJpeg(BuildTiff(layout))), 0);
    EXPECT_EQ(DateText(reader), "none");
    double lat = 0;
    EXPECT_EQ(reader.GetGpsLatitude(lat), 1);
    EXPECT_DOUBLE_EQ(lat, 35.675);

    layout = CameraLayout(true, "N", "E");
    layout.gps.clear();
    CExifAnalize noGps;
    ASSERT_EQ(Load(noGps, ExifJpeg(BuildTiff(layout))), 0);
    EXPECT_EQ(DateText(noGps), "2011:03:02 10:00:00");
    EXPECT_EQ(noGps.GetGpsLatitude(lat), 0);
}

TEST(ExifReader, decodesInlineTextAndSignExtendsShortValues) {
    TiffLayout layout;
    layout.ifd0 = {
        TiffEntry{0x0100, 3, 1, Bytes(0xFFFE, 2, false)},
        TiffEntry{0x0101, 3, 2, Bytes(0x0007, 2, false) + Bytes(0x0009, 2, false)},
        TiffEntry{0x010E, 2, 4, "ABCD"},
        TiffEntry{0x010F, 2, 3, std::string("X\0Y", 3)},
        TiffEntry{0x0110, 2, 0, "QRST"},
        TiffEntry{0x0111, 4, 1, Bytes(0x80000001, 4, false)},
    };
    CExifAnalize reader;
    ASSERT_EQ(Load(reader, ExifJpeg(BuildTiff(layout))), 0);
    ASSERT_EQ(reader.m_entries.size(), 6u);
    EXPECT_EQ(reader.m_entries[0].m_nValue, -2);
    EXPECT_EQ(reader.m_entries[1].m_nValue, 7);
    EXPECT_EQ(reader.m_entries[2].m_strText, "ABCD");
    EXPECT_EQ(reader.m_entries[3].m_strText, "X");
    EXPECT_EQ(reader.m_entries[4].m_strText, "");
    EXPECT_EQ(reader.m_entries[5].m_nValue, static_cast<std::int32_t>(0x80000001));
}

TEST(ExifReader, isReusedAcrossPhotosWithTheCallerEmptyingTheList) {
    TempDir dir;
    WriteFile(dir.path() + "a.JPG", ExifJpeg(CameraTiff(true)));
    WriteFile(dir.path() + "b.JPG", "\xFF\xD8\xFF\xDB");
    CExifAnalize reader;
    ASSERT_EQ(reader.LoadExif(dir.path() + "a.JPG"), 0);
    const std::size_t count = reader.m_entries.size();
    EXPECT_EQ(reader.m_file, -1);
    ASSERT_EQ(reader.LoadExif(dir.path() + "a.JPG"), 0);
    EXPECT_EQ(reader.m_entries.size(), 2 * count);
    reader.m_entries.clear();
    EXPECT_EQ(reader.LoadExif(dir.path() + "b.JPG"), -2);
    EXPECT_EQ(reader.m_nByteOrder, CExifAnalize::kNoByteOrder);
    EXPECT_EQ(reader.LoadExif(dir.path() + "missing.JPG"), -1);
    EXPECT_TRUE(reader.m_entries.empty());
}
