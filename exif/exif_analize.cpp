#include "exif/exif_analize.h"

#include "exif/exif_segment.h"
#include "exif/jpeg_segments.h"
#include "platform/byte_reader.h"
#include "platform/open_for_reading.h"
#include "platform/shooting_time_text.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The reader's scratch capacity: longer texts are cut to it.
constexpr std::uint64_t kScratchBytes = 8192;

double Component(const CExifEntryInfo& entry, int index) {
    return static_cast<double>(entry.m_nNumerator[index]) /
           static_cast<double>(entry.m_nDenominator[index]);
}

} // namespace

int CExifAnalize::LoadExif(const std::string& path) {
    m_nByteOrder = kNoByteOrder;
    m_bTiffOffsets = 0;
    m_file = OpenForReading(path);
    if (m_file < 0) {
        return -1;
    }
    struct stat info {};
    int result = -1;
    if (fstat(m_file, &info) == 0 && S_ISREG(info.st_mode)) {
        m_bytes.reset(m_file, static_cast<std::uint64_t>(info.st_size));
        result = ReadStructure();
    }
    close(m_file);
    m_file = -1;
    return result;
}

int CExifAnalize::ReadStructure() {
    const std::size_t first = m_entries.size();
    const int walked = ReadDirectories(FindTiffHeader(), IfdReading::kUpToFallingTag);
    if (walked == 0 && HasShootingTime()) {
        return 0;
    }
    return LookAgain(first, walked);
}

// Phones and editors put other segments before the Exif one, or write IFD0 out of tag order.
// What the walk read is set aside and comes back unless the second look finds a date.
int CExifAnalize::LookAgain(std::size_t first, int walked) {
    const auto base = FindExifSegment(m_bytes);
    if (!base) {
        return walked;
    }
    std::vector<CExifEntryInfo> walkEntries(std::make_move_iterator(m_entries.begin() + first),
                                            std::make_move_iterator(m_entries.end()));
    m_entries.erase(m_entries.begin() + first, m_entries.end());
    const std::int32_t walkBase = m_nTiffBase;
    const std::uint16_t walkByteOrder = m_nByteOrder;
    const std::uint16_t walkTiffOffsets = m_bTiffOffsets;
    if (ReadDirectories(base, IfdReading::kWhole) == 0 && HasShootingTime()) {
        return 0;
    }
    m_entries.erase(m_entries.begin() + first, m_entries.end());
    std::move(walkEntries.begin(), walkEntries.end(), std::back_inserter(m_entries));
    m_nTiffBase = walkBase;
    m_nByteOrder = walkByteOrder;
    m_bTiffOffsets = walkTiffOffsets;
    return walked;
}

int CExifAnalize::ReadDirectories(std::optional<std::uint64_t> base, IfdReading reading) {
    // The base must fit m_nTiffBase.
    const auto header =
        base && *base <= static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())
            ? ReadTiffHeader(m_bytes, *base)
            : std::nullopt;
    if (!header) {
        return -2;
    }
    m_nTiffBase = static_cast<std::int32_t>(*base);
    m_nByteOrder = header->bigEndian ? kBigEndian : kLittleEndian;
    m_bTiffOffsets = 1;
    const ExifTiff tiff(m_bytes, *base, header->bigEndian);
    ReadIfd(tiff, header->ifd0, 0, reading);
    // Looked up in turn, so a GPS pointer inside the Exif sub-IFD is followed too.
    if (const CExifEntryInfo* exif = Find(kTagExifIfdPointer)) {
        ReadIfd(tiff, exif->m_nValue, 1, reading);
    }
    if (const CExifEntryInfo* gps = Find(kTagGpsIfdPointer)) {
        ReadIfd(tiff, gps->m_nValue, 2, reading);
    }
    return 0;
}

bool CExifAnalize::HasShootingTime() const {
    const CExifEntryInfo* found = Find(kTagDateTimeOriginal);
    return found != nullptr && IsShootingTimeText(found->m_strText);
}

// Only SOI, then APP0 segments taken to be the standard 16 bytes long, then APP1. A camera
// writes one or two APP0 segments; a file that runs on with them is no camera's, and walking it
// to its end would cost a read for every few KiB of it.
std::optional<std::uint64_t> CExifAnalize::FindTiffHeader() {
    constexpr int kMostApp0Segments = 64;
    constexpr std::uint64_t kJfifApp0Bytes = 16;
    if (!StartsWithSoi(m_bytes)) {
        return std::nullopt;
    }
    std::uint64_t position = 2;
    for (int app0 = 0; app0 <= kMostApp0Segments; ++app0) {
        const auto marker = m_bytes.slice(position, 2);
        if (!marker || (*marker)[0] != kJpegMarkerByte) {
            return std::nullopt;
        }
        if ((*marker)[1] == kJpegApp1) {
            // Past the segment's length and identifier, neither of which is looked at.
            return position + 2 + 2 + kExifIdentifier.size();
        }
        if ((*marker)[1] != kJpegApp0) {
            return std::nullopt;
        }
        position += 2 + kJfifApp0Bytes;
    }
    return std::nullopt;
}

void CExifAnalize::ReadIfd(const ExifTiff& tiff, std::int64_t offset, std::int16_t ifd,
                           IfdReading reading) {
    const auto directory = tiff.directory(offset);
    // The count is signed: zero or negative means no entries.
    if (!directory || static_cast<std::int16_t>(directory->count) <= 0) {
        return;
    }
    std::uint16_t previousTag = 0;
    tiff.entries(*directory, [&](const IfdEntry& read) {
        CExifEntryInfo entry;
        entry.m_nTag = read.tag;
        entry.m_nType = read.type;
        entry.m_nCount = read.count;
        entry.m_nValue = read.type == kTiffShort ? static_cast<std::int16_t>(read.fieldShort())
                                                 : static_cast<std::int32_t>(read.fieldLong());
        entry.m_nIfd = ifd;
        if (reading == IfdReading::kWhole) {
            // An entry of no TIFF type is a stray: one numbered 1 in IFD0 would hide the GPS
            // latitude reference.
            if (read.type < kTiffByte || read.type > kTiffIfd) {
                return true;
            }
        } else if (read.tag != kTagExifIfdPointer && read.tag < previousTag) {
            // Tags rise within a directory; the first one that falls ends it, except the Exif
            // pointer, which some writers append last.
            return false;
        }
        previousTag = read.tag;
        if (ReadValues(tiff, entry, read)) {
            m_entries.push_back(std::move(entry));
        }
        return true;
    });
}

bool CExifAnalize::ReadValues(const ExifTiff& tiff, CExifEntryInfo& entry, const IfdEntry& read) {
    if (entry.m_nType == kTiffAscii && entry.m_nCount <= read.field.size()) {
        entry.m_strText = TiffText(std::span(read.field).first(entry.m_nCount));
        return true;
    }
    const bool rational = entry.m_nType == kTiffRational || entry.m_nType == kTiffSignedRational;
    if (entry.m_nType != kTiffAscii && !rational) {
        return true;
    }
    const std::uint64_t length =
        rational ? 8 * std::min<std::uint64_t>(entry.m_nCount, CExifEntryInfo::kMaxRationals)
                 : std::min<std::uint64_t>(entry.m_nCount, kScratchBytes);
    const auto values = tiff.slice(entry.m_nValue, length);
    if (!values) {
        return false;
    }
    if (!rational) {
        entry.m_strText = TiffText(*values);
        return true;
    }
    const ByteReader reader(*values, BigEndian());
    for (std::uint64_t j = 0; j < length / 8; ++j) {
        entry.m_nNumerator[j] = *reader.u32(8 * j);
        entry.m_nDenominator[j] = *reader.u32(8 * j + 4);
    }
    return true;
}

const CExifEntryInfo* CExifAnalize::Find(std::uint16_t tag) const {
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [tag](const CExifEntryInfo& e) { return e.m_nTag == tag; });
    return found == m_entries.end() ? nullptr : &*found;
}

int CExifAnalize::FindEntry(std::uint16_t tag, CExifEntryInfo& entry) const {
    const CExifEntryInfo* found = Find(tag);
    if (found == nullptr) {
        return -1;
    }
    entry = *found;
    return 0;
}

int CExifAnalize::GetDateTimeOriginal(std::int64_t& time) const {
    const CExifEntryInfo* found = Find(kTagDateTimeOriginal);
    return found != nullptr && ParseShootingTimeText(found->m_strText, time) ? 1 : 0;
}

int CExifAnalize::GetGpsLatitude(double& latitude) const {
    return GetGpsCoordinate(kTagGpsLatitudeRef, kTagGpsLatitude, 'N', latitude);
}

int CExifAnalize::GetGpsLongitude(double& longitude) const {
    return GetGpsCoordinate(kTagGpsLongitudeRef, kTagGpsLongitude, 'E', longitude);
}

// A zero denominator or a missing component gives no number at all; cameras without a fix
// write 0/0, and such a coordinate is no position rather than a NaN one.
int CExifAnalize::GetGpsCoordinate(std::uint16_t referenceTag, std::uint16_t valueTag,
                                   char positive, double& coordinate) const {
    const CExifEntryInfo* reference = Find(referenceTag);
    const CExifEntryInfo* value = Find(valueTag);
    if (reference == nullptr || value == nullptr) {
        return 0;
    }
    // The first byte of the value field in file order.
    const auto field = static_cast<std::uint32_t>(reference->m_nValue);
    const char sign = static_cast<char>(BigEndian() ? field >> 24 : field & 0xFF);
    double degrees = Component(*value, 0) + Component(*value, 1) / 60;
    degrees += Component(*value, 2) / 3600;
    if (!std::isfinite(degrees)) {
        return 0;
    }
    coordinate = sign == positive ? degrees : -degrees;
    return 1;
}
