#include "exif/header_bytes.h"
#include "exif/jpeg_segments.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

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

} // namespace

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
