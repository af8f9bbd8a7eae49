#include "exif/exif_preview.h"

#include "exif/tiff_directory.h"
#include "platform/byte_reader.h"

#include <map>

namespace {

using Tiff = TiffReader<const ByteReader>;

// The first entry of each tag; an IFD whose entries run past the end ends there.
struct Directory {
    std::map<std::uint16_t, IfdEntry> entries;
    std::optional<std::uint32_t> next;
};

Directory ReadDirectory(const Tiff& tiff, std::int64_t offset) {
    Directory directory;
    const auto ifd = tiff.directory(offset);
    const bool whole = ifd && tiff.entries(*ifd, [&](const IfdEntry& entry) {
        directory.entries.try_emplace(entry.tag, entry);
        return true;
    });
    if (whole) {
        directory.next = tiff.next(*ifd);
    }
    return directory;
}

const IfdEntry* Find(const Directory& directory, std::uint16_t tag) {
    const auto found = directory.entries.find(tag);
    return found == directory.entries.end() ? nullptr : &found->second;
}

std::string Text(const Tiff& tiff, const Directory& directory, std::uint16_t tag) {
    const IfdEntry* entry = Find(directory, tag);
    if (entry == nullptr || entry->type != kTiffAscii) {
        return {};
    }
    const auto bytes = entry->count <= entry->field.size()
                           ? std::span<const std::uint8_t>(entry->field).first(entry->count)
                           : tiff.slice(entry->fieldLong(), entry->count);
    return bytes ? TiffText(*bytes) : std::string();
}

// A SHORT or LONG; nothing for another type.
std::optional<std::uint32_t> Number(const Directory& directory, std::uint16_t tag) {
    const IfdEntry* entry = Find(directory, tag);
    if (entry == nullptr || entry->count < 1) {
        return std::nullopt;
    }
    if (entry->type == kTiffShort) {
        return entry->fieldShort();
    }
    return entry->type == kTiffLong ? std::optional(entry->fieldLong()) : std::nullopt;
}

} // namespace

std::optional<ExifPreview> ReadExifPreview(std::span<const std::uint8_t> tiff) {
    const ByteReader bytes(tiff, true);
    const auto header = ReadTiffHeader(bytes, 0);
    if (!header || header->magic != kTiffMagic) {
        return std::nullopt;
    }
    const Tiff reader(bytes, 0, header->bigEndian);
    const Directory ifd0 = ReadDirectory(reader, header->ifd0);
    if (!ifd0.next || *ifd0.next == 0) {
        return std::nullopt;
    }
    const Directory ifd1 = ReadDirectory(reader, *ifd0.next);
    const auto jpegAt = Number(ifd1, kTagJpegOffset);
    const auto jpegLength = Number(ifd1, kTagJpegLength);
    const auto jpeg =
        jpegAt && jpegLength && *jpegLength > 0 ? reader.slice(*jpegAt, *jpegLength) : std::nullopt;
    if (!jpeg) {
        return std::nullopt;
    }
    ExifPreview preview;
    preview.jpeg = *jpeg;
    preview.make = Text(reader, ifd0, kTagMake);
    preview.model = Text(reader, ifd0, kTagModel);
    preview.software = Text(reader, ifd0, kTagSoftware);
    preview.dateTime = Text(reader, ifd0, kTagDateTime);
    // Writers give the pointer as LONG or as IFD; either way it is the field's 32 bits.
    if (const IfdEntry* pointer = Find(ifd0, kTagExifIfdPointer)) {
        const Directory exif = ReadDirectory(reader, pointer->fieldLong());
        preview.dateTimeOriginal = Text(reader, exif, kTagDateTimeOriginal);
        preview.pixelWidth = Number(exif, kTagPixelXDimension).value_or(0);
        preview.pixelHeight = Number(exif, kTagPixelYDimension).value_or(0);
    }
    return preview;
}
