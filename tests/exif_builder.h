#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Builds TIFF/EXIF bytes for tests, in either byte order: IFD0 at offset 8, then the Exif
// sub-IFD, the GPS IFD and an optional next IFD (IFD1), then every value that does not fit in
// its entry. Pointer entries to the sub-IFDs are appended to IFD0 when those are not empty.
struct TiffEntry {
    std::uint16_t tag = 0;
    std::uint16_t type = 0;
    std::uint32_t count = 0;
    std::string bytes; // the value in file order; inline when 4 bytes or fewer

    static TiffEntry Ascii(std::uint16_t tag, const std::string& text);
    static TiffEntry Short(std::uint16_t tag, std::uint16_t value, bool bigEndian);
    static TiffEntry Long(std::uint16_t tag, std::uint32_t value, bool bigEndian);
    static TiffEntry Rationals(std::uint16_t tag,
                               const std::vector<std::pair<std::uint32_t, std::uint32_t>>& values,
                               bool bigEndian);
};

struct TiffLayout {
    bool bigEndian = false;
    std::vector<TiffEntry> ifd0;
    std::vector<TiffEntry> exif;
    std::vector<TiffEntry> gps;
    std::vector<TiffEntry> next;
};

std::string BuildTiff(const TiffLayout& layout);
// The same with `preview` after everything else and the next IFD naming it: its
// JPEGInterchangeFormat and JPEGInterchangeFormatLength appended to `layout.next`.
std::string BuildTiffWithPreview(TiffLayout layout, const std::string& preview);

// SOI, APP1 "Exif\0\0" holding `tiff`, then a minimal rest of a JPEG.
std::string ExifJpeg(const std::string& tiff);
// `jpeg` (a whole JPEG file) with an APP1 "Exif\0\0" segment holding `tiff` right after its SOI.
std::string WithExif(const std::string& jpeg, const std::string& tiff);

// The unsigned integer `value` as `width` bytes in the given byte order.
std::string Bytes(std::uint32_t value, int width, bool bigEndian);

// A layout that a camera would write: make, DateTimeOriginal and a GPS position.
TiffLayout CameraLayout(bool bigEndian, const std::string& latitudeRef,
                        const std::string& longitudeRef);

using Rationals = std::vector<std::pair<std::uint32_t, std::uint32_t>>;

// A camera JPEG with DateTimeOriginal `date` and, when `latitude` is given, a position north and
// east as degrees, minutes and seconds.
std::string ExifPhoto(const std::string& date, const Rationals& latitude = {},
                      const Rationals& longitude = {});
// The TIFF part of such a photo.
std::string ExifTiff(const std::string& date, const Rationals& latitude = {},
                     const Rationals& longitude = {});
