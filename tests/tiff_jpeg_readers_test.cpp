#include "exif/exif_preview.h"
#include "exif/header_bytes.h"
#include "exif/jpeg_segments.h"
#include "exif/tiff_directory.h"
#include "tests/exif_builder.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <limits>

using namespace std::string_literals;

namespace {

std::span<const std::uint8_t> Span(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

// `bytes` as a file read through HeaderBytes, as the EXIF reader reads a photo.
class FileBytes {
public:
    explicit FileBytes(const std::string& bytes) {
        WriteFile(dir_.path() + "photo.JPG", bytes);
        fd_ = open((dir_.path() + "photo.JPG").c_str(), O_RDONLY);
        EXPECT_GE(fd_, 0);
        bytes_.reset(fd_, bytes.size());
    }
    ~FileBytes() { close(fd_); }
    HeaderBytes& bytes() { return bytes_; }

private:
    TempDir dir_;
    int fd_ = -1;
    HeaderBytes bytes_;
};

template <class Bytes>
std::vector<std::uint16_t> Tags(const TiffReader<Bytes>& tiff, const TiffDirectory& directory,
                                bool* whole = nullptr) {
    std::vector<std::uint16_t> tags;
    const bool all = tiff.entries(directory, [&](const IfdEntry& entry) {
        tags.push_back(entry.tag);
        return true;
    });
    if (whole != nullptr) {
        *whole = all;
    }
    return tags;
}

// IFD0 at 8 with tags out of order, as given, then IFD1 through its link.
TiffLayout TwoDirectories(bool bigEndian) {
    TiffLayout layout;
    layout.bigEndian = bigEndian;
    layout.ifd0 = {TiffEntry::Short(0x0112, 6, bigEndian), TiffEntry::Ascii(0x010F, "TESSA"),
                   TiffEntry::Long(0x0100, 0x01020304, bigEndian)};
    layout.next = {TiffEntry::Short(0x0103, 6, bigEndian)};
    return layout;
}

} // namespace

TEST(TiffReader, givesEntriesInFileOrderAndTheNextLinkFromMemoryAndFromAFile) {
    for (const bool bigEndian : {false, true}) {
        const std::string tiff = BuildTiff(TwoDirectories(bigEndian));
        const ByteReader memory(Span(tiff), true);
        FileBytes file(ExifJpeg(tiff));
        const TiffReader inMemory(memory, 0, bigEndian);
        const TiffReader inFile(file.bytes(), 12, bigEndian);
        ASSERT_TRUE(ReadTiffHeader(memory, 0));
        EXPECT_EQ(ReadTiffHeader(file.bytes(), 12)->ifd0, 8u);
        const auto ifd0 = inMemory.directory(8);
        ASSERT_TRUE(ifd0);
        EXPECT_EQ(ifd0->count, 3u);
        EXPECT_EQ(Tags(inMemory, *ifd0), (std::vector<std::uint16_t>{0x0112, 0x010F, 0x0100}));
        EXPECT_EQ(Tags(inFile, *inFile.directory(8)), Tags(inMemory, *ifd0));
        std::vector<IfdEntry> entries;
        inFile.entries(*inFile.directory(8), [&](const IfdEntry& entry) {
            entries.push_back(entry);
            return true;
        });
        EXPECT_EQ(entries[0].fieldShort(), 6u) << bigEndian;
        EXPECT_EQ(entries[2].fieldLong(), 0x01020304u) << bigEndian;
        EXPECT_EQ(TiffText(*inFile.slice(entries[1].fieldLong(), entries[1].count)), "TESSA");
        const auto next = inMemory.next(*ifd0);
        ASSERT_TRUE(next);
        EXPECT_EQ(inFile.next(*inFile.directory(8)), next);
        EXPECT_EQ(Tags(inMemory, *inMemory.directory(*next)), std::vector<std::uint16_t>{0x0103});
    }
}

TEST(TiffReader, endsADirectoryAtTheFirstEntryPastTheEndAndGivesItNoLinkThen) {
    std::string tiff = BuildTiff(TwoDirectories(false));
    tiff.replace(8, 2, Bytes(0xFFFF, 2, false)); // more entries than any file holds
    const ByteReader bytes(Span(tiff), true);
    const TiffReader reader(bytes, 0, false);
    bool whole = true;
    // As many entries as there are whole 12 bytes after the count.
    EXPECT_EQ(Tags(reader, *reader.directory(8), &whole).size(), (tiff.size() - 10) / 12);
    EXPECT_FALSE(whole);
    // An entry short of one byte is none, and so is a link or a count past the end.
    const ByteReader cut(Span(tiff).first(8 + 2 + 12 + 11), true);
    const TiffReader short_(cut, 0, false);
    EXPECT_EQ(Tags(short_, TiffDirectory{8, 2}, &whole).size(), 1u);
    EXPECT_FALSE(short_.next(TiffDirectory{8, 2}));
    EXPECT_TRUE(short_.next(TiffDirectory{8, 1}));
    EXPECT_FALSE(short_.directory(32));
}

TEST(TiffReader, refusesOffsetsBeforeTheBytesAndSumsThatWouldWrap) {
    const std::string file = ExifJpeg(BuildTiff(TwoDirectories(true)));
    const ByteReader bytes(Span(file), true);
    const TiffReader reader(bytes, 12, true);
    EXPECT_EQ(reader.slice(-12, 2)->front(), 0xFF); // the SOI, still within the bytes
    EXPECT_FALSE(reader.slice(-13, 1));
    constexpr auto kMost = std::numeric_limits<std::int64_t>::max();
    constexpr auto kLeast = std::numeric_limits<std::int64_t>::min();
    EXPECT_FALSE(reader.slice(kMost, 1));
    EXPECT_FALSE(reader.slice(kLeast, 1));
    EXPECT_FALSE(reader.directory(kLeast));
    EXPECT_FALSE(TiffReader(bytes, std::numeric_limits<std::uint64_t>::max(), true).slice(1, 0));
    for (const std::string& header : {"IM\0*\0\0\0\x08"s, "MM\0*\0\0\0"s}) {
        const ByteReader refused(Span(header), true);
        EXPECT_FALSE(ReadTiffHeader(refused, 0));
    }
}

TEST(ExifPreview, followsTheLinkOfIfd0OnlyOnceEvenWhereItLeadsBackToIfd0) {
    TiffLayout layout = TwoDirectories(false);
    std::string tiff = BuildTiffWithPreview(layout, "\xFF\xD8\xFF\xD9");
    ASSERT_TRUE(ReadExifPreview(Span(tiff)));
    tiff.replace(8 + 2 + 12 * 3, 4, Bytes(8, 4, false)); // IFD0's link back to IFD0
    EXPECT_FALSE(ReadExifPreview(Span(tiff)));
}

TEST(JpegSegments, stepsOverSegmentsAsWrittenUntilNoMarkerStandsOrTheMarkersRunOut) {
    const std::string segments =
        "\xFF\xD8\xFF\xFF\xFF\xE0\x00\x04"s + "ab\xFF\xE1\x00\x01"s + "xyz";
    for (const bool file : {false, true}) {
        FileBytes onDisk(segments);
        const ByteReader memory(Span(segments), true);
        std::vector<JpegSegment> given;
        const auto walk = [&](auto& bytes) {
            JpegSegments walker(bytes);
            while (const auto segment = walker.nextAsWritten()) {
                given.push_back(*segment);
            }
        };
        file ? walk(onDisk.bytes()) : walk(memory);
        ASSERT_EQ(given.size(), 2u) << file;
        EXPECT_EQ(given[0].marker, kJpegApp0);
        EXPECT_EQ(given[0].at, 6u);
        EXPECT_EQ(given[0].length, 4u);
        EXPECT_EQ(given[1].marker, kJpegApp1);
        EXPECT_EQ(given[1].length, 0u); // a length of 1 is none, and ends the walk
    }
    // Each fill byte counts as a marker.
    for (const int fill : {kMostJpegMarkers - 1, kMostJpegMarkers}) {
        const std::string run = "\xFF\xD8" + std::string(fill, '\xFF') + "\xFF\xE1\x00\x02"s;
        const ByteReader bytes(Span(run), true);
        EXPECT_EQ(JpegSegments(bytes).nextAsWritten().has_value(), fill < kMostJpegMarkers);
    }
}

TEST(JpegSegments, passesOverWhatTheDecoderPassesOverAsDecoded) {
    // Stray bytes, a coded 0xFF, a restart marker and fill bytes between the segments; coded
    // data after the scan header; an end marker without the bytes of a length after it.
    const std::string jpeg = "\xFF\xD8\xFF\xE0\x00\x04"s + "abzz\xFF\x00\xFF\xD0"s +
                             "\xFF\xFF\xFF\xDB\x00\x03q"s + "\xFF\xDA\x00\x02"s + "c\xFF\x00"s +
                             "d\xFF\xD9";
    const ByteReader bytes(Span(jpeg), true);
    JpegSegments walker(bytes);
    std::vector<std::uint8_t> markers;
    std::optional<JpegSegment> last;
    while (const auto segment = walker.nextAsDecoded()) {
        markers.push_back(segment->marker);
        last = segment;
    }
    EXPECT_EQ(markers, (std::vector<std::uint8_t>{kJpegApp0, 0xDB, kJpegSos, kJpegEoi}));
    EXPECT_EQ(last->length, 0u);
    // As written, the stray bytes end the walk.
    JpegSegments strict(bytes);
    EXPECT_TRUE(strict.nextAsWritten());
    EXPECT_FALSE(strict.nextAsWritten());
}
