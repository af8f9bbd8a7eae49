#include "exif/exif_preview.h"

#include "platform/byte_reader.h"

#include <cstring>
#include <map>

namespace {

constexpr std::uint16_t kTypeAscii = 2;
constexpr std::uint16_t kTypeShort = 3;
constexpr std::uint16_t kTypeLong = 4;
constexpr std::uint32_t kTiffMagic = 42;
constexpr std::uint64_t kEntryBytes = 12;
constexpr std::uint16_t kMake = 0x010F;
constexpr std::uint16_t kModel = 0x0110;
constexpr std::uint16_t kSoftware = 0x0131;
constexpr std::uint16_t kDateTime = 0x0132;
constexpr std::uint16_t kExifIfdPointer = 0x8769;
constexpr std::uint16_t kDateTimeOriginal = 0x9003;
constexpr std::uint16_t kPixelXDimension = 0xA002;
constexpr std::uint16_t kPixelYDimension = 0xA003;
constexpr std::uint16_t kJpegOffset = 0x0201;
constexpr std::uint16_t kJpegLength = 0x0202;

struct Entry {
    std::uint32_t type = 0;
    std::uint32_t count = 0;
    std::uint64_t field = 0; // where its 4-byte value field lies
};

// The first entry of each tag; an IFD whose entries run past the end ends there.
struct Directory {
    std::map<std::uint32_t, Entry> entries;
    std::optional<std::uint32_t> next;
};

Directory ReadDirectory(const ByteReader& tiff, std::uint64_t offset) {
    Directory directory;
    const auto count = tiff.u16(offset);
    if (!count) {
        return directory;
    }
    for (std::uint64_t i = 0; i < *count; ++i) {
        const std::uint64_t at = offset + 2 + kEntryBytes * i;
        const auto tag = tiff.u16(at);
        const auto type = tiff.u16(at + 2);
        const auto values = tiff.u32(at + 4);
        if (!tag || !type || !values || !tiff.slice(at + 8, 4)) {
            return directory;
        }
        directory.entries.try_emplace(*tag, Entry{*type, *values, at + 8});
    }
    directory.next = tiff.u32(offset + 2 + kEntryBytes * *count);
    return directory;
}

const Entry* Find(const Directory& directory, std::uint32_t tag) {
    const auto found = directory.entries.find(tag);
    return found == directory.entries.end() ? nullptr : &found->second;
}

std::string Text(const ByteReader& tiff, const Directory& directory, std::uint32_t tag) {
    const Entry* entry = Find(directory, tag);
    if (entry == nullptr || entry->type != kTypeAscii) {
        return {};
    }
    std::optional<std::span<const std::uint8_t>> bytes;
    if (entry->count <= 4) {
        bytes = tiff.slice(entry->field, entry->count);
    } else if (const auto offset = tiff.u32(entry->field)) {
        bytes = tiff.slice(*offset, entry->count);
    }
    if (!bytes) {
        return {};
    }
    const auto* first = reinterpret_cast<const char*>(bytes->data());
    return std::string(first, strnlen(first, bytes->size()));
}

// A SHORT or LONG; nothing for another type.
std::optional<std::uint32_t> Number(const ByteReader& tiff, const Directory& directory,
                                    std::uint32_t tag) {
    const Entry* entry = Find(directory, tag);
    if (entry == nullptr || entry->count < 1) {
        return std::nullopt;
    }
    if (entry->type == kTypeShort) {
        return tiff.u16(entry->field);
    }
    return entry->type == kTypeLong ? tiff.u32(entry->field) : std::nullopt;
}

} // namespace

std::optional<ExifPreview> ReadExifPreview(std::span<const std::uint8_t> tiff) {
    const auto order = ByteReader(tiff, true).u16(0);
    if (order != 0x4949 && order != 0x4D4D) {
        return std::nullopt;
    }
    const ByteReader reader(tiff, order == 0x4D4D);
    const auto ifd0At = reader.u32(4);
    if (reader.u16(2) != kTiffMagic || !ifd0At) {
        return std::nullopt;
    }
    const Directory ifd0 = ReadDirectory(reader, *ifd0At);
    if (!ifd0.next || *ifd0.next == 0) {
        return std::nullopt;
    }
    const Directory ifd1 = ReadDirectory(reader, *ifd0.next);
    const auto jpegAt = Number(reader, ifd1, kJpegOffset);
    const auto jpegLength = Number(reader, ifd1, kJpegLength);
    const auto jpeg =
        jpegAt && jpegLength && *jpegLength > 0 ? reader.slice(*jpegAt, *jpegLength) : std::nullopt;
    if (!jpeg) {
        return std::nullopt;
    }
    ExifPreview preview;
    preview.jpeg = *jpeg;
    preview.make = Text(reader, ifd0, kMake);
    preview.model = Text(reader, ifd0, kModel);
    preview.software = Text(reader, ifd0, kSoftware);
    preview.dateTime = Text(reader, ifd0, kDateTime);
    // Writers give the pointer as LONG or as IFD; either way it is the field's 32 bits.
    const Entry* pointer = Find(ifd0, kExifIfdPointer);
    if (const auto exifAt = pointer ? reader.u32(pointer->field) : std::nullopt) {
        const Directory exif = ReadDirectory(reader, *exifAt);
        preview.dateTimeOriginal = Text(reader, exif, kDateTimeOriginal);
        preview.pixelWidth = Number(reader, exif, kPixelXDimension).value_or(0);
        preview.pixelHeight = Number(reader, exif, kPixelYDimension).value_or(0);
    }
    return preview;
}
