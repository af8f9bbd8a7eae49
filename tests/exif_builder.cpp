#include "tests/exif_builder.h"

namespace {

std::string Rational(std::uint32_t numerator, std::uint32_t denominator, bool bigEndian) {
    return Bytes(numerator, 4, bigEndian) + Bytes(denominator, 4, bigEndian);
}

struct Writer {
    bool bigEndian;
    std::string out;
    std::string data; // values placed after every directory
    std::uint32_t dataStart = 0;

    std::string EntryBytes(const TiffEntry& e) {
        std::string entry =
            Bytes(e.tag, 2, bigEndian) + Bytes(e.type, 2, bigEndian) + Bytes(e.count, 4, bigEndian);
        if (e.bytes.size() <= 4) {
            return entry + e.bytes + std::string(4 - e.bytes.size(), '\0');
        }
        entry += Bytes(dataStart + static_cast<std::uint32_t>(data.size()), 4, bigEndian);
        data += e.bytes;
        return entry;
    }

    void Directory(const std::vector<TiffEntry>& entries, std::uint32_t nextOffset) {
        out += Bytes(static_cast<std::uint32_t>(entries.size()), 2, bigEndian);
        for (const TiffEntry& e : entries) {
            out += EntryBytes(e);
        }
        out += Bytes(nextOffset, 4, bigEndian);
    }
};

std::uint32_t DirectorySize(const std::vector<TiffEntry>& entries) {
    return entries.empty() ? 0 : 2 + 12 * static_cast<std::uint32_t>(entries.size()) + 4;
}

} // namespace

std::string Bytes(std::uint32_t value, int width, bool bigEndian) {
    std::string bytes(width, '\0');
    for (int i = 0; i < width; ++i) {
        const int shift = 8 * (bigEndian ? width - 1 - i : i);
        bytes[i] = static_cast<char>((value >> shift) & 0xFF);
    }
    return bytes;
}

TiffEntry TiffEntry::Ascii(std::uint16_t tag, const std::string& text) {
    return {tag, 2, static_cast<std::uint32_t>(text.size() + 1), text + '\0'};
}

TiffEntry TiffEntry::Short(std::uint16_t tag, std::uint16_t value, bool bigEndian) {
    return {tag, 3, 1, Bytes(value, 2, bigEndian)};
}

TiffEntry TiffEntry::Long(std::uint16_t tag, std::uint32_t value, bool bigEndian) {
    return {tag, 4, 1, Bytes(value, 4, bigEndian)};
}

TiffEntry TiffEntry::Rationals(std::uint16_t tag,
                               const std::vector<std::pair<std::uint32_t, std::uint32_t>>& values,
                               bool bigEndian) {
    TiffEntry entry{tag, 5, static_cast<std::uint32_t>(values.size()), ""};
    for (const auto& [numerator, denominator] : values) {
        entry.bytes += Rational(numerator, denominator, bigEndian);
    }
    return entry;
}

std::string BuildTiff(const TiffLayout& layout) {
    const bool be = layout.bigEndian;
    std::vector<TiffEntry> ifd0 = layout.ifd0;
    const std::uint32_t ifd0Size =
        DirectorySize(ifd0) + 12 * (!layout.exif.empty() + !layout.gps.empty());
    const std::uint32_t exifAt = 8 + ifd0Size;
    const std::uint32_t gpsAt = exifAt + DirectorySize(layout.exif);
    const std::uint32_t nextAt = gpsAt + DirectorySize(layout.gps);
    if (!layout.exif.empty()) {
        ifd0.push_back(TiffEntry::Long(34665, exifAt, be));
    }
    if (!layout.gps.empty()) {
        ifd0.push_back(TiffEntry::Long(34853, gpsAt, be));
    }
    Writer writer{be, std::string(be ? "MM" : "II") + Bytes(42, 2, be) + Bytes(8, 4, be), ""};
    writer.dataStart = nextAt + DirectorySize(layout.next);
    writer.Directory(ifd0, layout.next.empty() ? 0 : nextAt);
    for (const auto* directory : {&layout.exif, &layout.gps, &layout.next}) {
        if (!directory->empty()) {
            writer.Directory(*directory, 0);
        }
    }
    return writer.out + writer.data;
}

std::string BuildTiffWithPreview(TiffLayout layout, const std::string& preview) {
    const auto length = static_cast<std::uint32_t>(preview.size());
    layout.next.push_back(TiffEntry::Long(0x0201, 0, layout.bigEndian));
    layout.next.push_back(TiffEntry::Long(0x0202, length, layout.bigEndian));
    // The offset's own value does not change the size of what comes before the preview.
    const auto offset = static_cast<std::uint32_t>(BuildTiff(layout).size());
    layout.next[layout.next.size() - 2] = TiffEntry::Long(0x0201, offset, layout.bigEndian);
    return BuildTiff(layout) + preview;
}

std::string ExifJpeg(const std::string& tiff) {
    return WithExif(std::string("\xFF\xD8\xFF\xDA") + Bytes(2, 2, true) + "\xFF\xD9", tiff);
}

std::string WithExif(const std::string& jpeg, const std::string& tiff) {
    const std::string app1 = "Exif" + std::string(2, '\0') + tiff;
    return jpeg.substr(0, 2) + "\xFF\xE1" +
           Bytes(static_cast<std::uint32_t>(app1.size() + 2), 2, true) + app1 + jpeg.substr(2);
}

TiffLayout CameraLayout(bool bigEndian, const std::string& latitudeRef,
                        const std::string& longitudeRef) {
    TiffLayout layout;
    layout.bigEndian = bigEndian;
    layout.ifd0 = {TiffEntry::Ascii(0x010F, "TESSA"), TiffEntry::Ascii(0x0110, "T-160"),
                   TiffEntry::Short(0x0112, 1, bigEndian)};
    layout.exif = {TiffEntry::Rationals(0x829A, {{1, 250}}, bigEndian),
                   TiffEntry::Ascii(0x9003, "2011:02:30 10:00:00"),
                   TiffEntry::Ascii(0x9004, "2011:02:28 10:00:00")};
    layout.gps = {
        TiffEntry::Ascii(1, latitudeRef),
        TiffEntry::Rationals(2, {{35, 1}, {40, 1}, {3000, 100}}, bigEndian),
        TiffEntry::Ascii(3, longitudeRef),
        TiffEntry::Rationals(4, {{139, 1}, {45, 1}, {0, 1}}, bigEndian),
    };
    return layout;
}

std::string ExifPhoto(const std::string& date, const Rationals& latitude,
                      const Rationals& longitude) {
    return ExifJpeg(ExifTiff(date, latitude, longitude));
}

std::string ExifTiff(const std::string& date, const Rationals& latitude,
                     const Rationals& longitude) {
    TiffLayout layout;
    layout.ifd0 = {TiffEntry::Ascii(0x010F, "TESSA")};
    layout.exif = {TiffEntry::Ascii(0x9003, date)};
    if (!latitude.empty()) {
        layout.gps = {TiffEntry::Ascii(1, "N"), TiffEntry::Rationals(2, latitude, false),
                      TiffEntry::Ascii(3, "E"), TiffEntry::Rationals(4, longitude, false)};
    }
    return BuildTiff(layout);
}
