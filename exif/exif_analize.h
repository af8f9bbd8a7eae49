#pragma once

#include "exif/exif_entry_info.h"
#include "exif/header_bytes.h"
#include "exif/tiff_directory.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Answers when a camera JPEG was taken and where: walks the segments to the first APP1 (only
// 16-byte APP0 segments may stand before it), then loads IFD0, the Exif sub-IFD and the GPS IFD
// into one flat list, each IFD up to the first tag smaller than the one before. No other
// directory is followed.
//
// When that walk finds no EXIF data or no valid DateTimeOriginal, a second look takes the first
// APP1 identified as Exif among all segments before the scan and reads each IFD whole: entries
// out of order are kept, of a tag met twice the first is found, and only entries of no TIFF type
// are dropped. Its entries replace the walk's only when they hold a valid DateTimeOriginal, so a
// file the walk dates is read exactly as the walk reads it.
//
// What fails the file, with no entries added: it cannot be opened or is no regular file (-1);
// no SOI, a segment other than APP0/APP1 before the first APP1, a byte-order mark other than
// II/MM, or a TIFF header past the end of the file (-2), unless the second look dates it.
// What only cuts the reading short, the result staying 0 and the entries read so far staying:
// an IFD whose count or entries lie past the end ends there; an entry whose text or rationals
// lie past the end is dropped and its IFD goes on; text past 8192 bytes and rationals past the
// tenth are not kept.
class CExifAnalize {
public:
    enum ByteOrder : std::uint16_t { kNoByteOrder, kLittleEndian, kBigEndian };

    CExifAnalize() = default;
    virtual ~CExifAnalize() = default;
    CExifAnalize(const CExifAnalize&) = delete;
    CExifAnalize& operator=(const CExifAnalize&) = delete;

    int LoadExif(const std::string& path);
    int FindEntry(std::uint16_t tag, CExifEntryInfo& entry) const;
    // 0 also when the text's fields are out of range: such a time is no shooting time.
    int GetDateTimeOriginal(std::int64_t& time) const;
    int GetGpsLatitude(double& latitude) const;
    int GetGpsLongitude(double& longitude) const;

    int m_file = -1;
    // Owns its entries. LoadExif only appends; the caller clears it after each photo.
    std::vector<CExifEntryInfo> m_entries;
    std::int32_t m_nTiffBase = 0;
    std::uint16_t m_nByteOrder = kNoByteOrder;
    std::uint16_t m_bTiffOffsets = 0;

private:
    enum class IfdReading { kUpToFallingTag, kWhole };
    using ExifTiff = TiffReader<HeaderBytes>;

    int ReadStructure();
    int LookAgain(std::size_t first, int walked);
    int ReadDirectories(std::optional<std::uint64_t> base, IfdReading reading);
    bool HasShootingTime() const;
    std::optional<std::uint64_t> FindTiffHeader();
    void ReadIfd(const ExifTiff& tiff, std::int64_t offset, std::int16_t ifd, IfdReading reading);
    bool ReadValues(const ExifTiff& tiff, CExifEntryInfo& entry, const IfdEntry& read);
    const CExifEntryInfo* Find(std::uint16_t tag) const;
    int GetGpsCoordinate(std::uint16_t referenceTag, std::uint16_t valueTag, char positive,
                         double& coordinate) const;
    bool BigEndian() const { return m_nByteOrder == kBigEndian; }

    HeaderBytes m_bytes;
};
