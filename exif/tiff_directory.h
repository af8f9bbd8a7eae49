#pragma once

#include "platform/byte_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <span>
#include <string>

// TIFF field types; BYTE is the first and IFD the last there are.
inline constexpr std::uint16_t kTiffByte = 1;
inline constexpr std::uint16_t kTiffAscii = 2;
inline constexpr std::uint16_t kTiffShort = 3;
inline constexpr std::uint16_t kTiffLong = 4;
inline constexpr std::uint16_t kTiffRational = 5;
inline constexpr std::uint16_t kTiffSignedRational = 10;
inline constexpr std::uint16_t kTiffIfd = 13;

inline constexpr std::uint16_t kTiffIntel = 0x4949;    // "II": little-endian
inline constexpr std::uint16_t kTiffMotorola = 0x4D4D; // "MM": big-endian
inline constexpr std::uint16_t kTiffMagic = 42;
inline constexpr std::uint64_t kTiffHeaderBytes = 8;
inline constexpr std::uint64_t kIfdEntryBytes = 12;

// The tags the readers look at. IFD0 and IFD1:
inline constexpr std::uint16_t kTagMake = 0x010F;
inline constexpr std::uint16_t kTagModel = 0x0110;
inline constexpr std::uint16_t kTagOrientation = 0x0112;
inline constexpr std::uint16_t kTagSoftware = 0x0131;
inline constexpr std::uint16_t kTagDateTime = 0x0132;
inline constexpr std::uint16_t kTagJpegOffset = 0x0201; // JPEGInterchangeFormat
inline constexpr std::uint16_t kTagJpegLength = 0x0202; // JPEGInterchangeFormatLength
inline constexpr std::uint16_t kTagExifIfdPointer = 0x8769;
inline constexpr std::uint16_t kTagGpsIfdPointer = 0x8825;
// The Exif sub-IFD:
inline constexpr std::uint16_t kTagDateTimeOriginal = 0x9003;
inline constexpr std::uint16_t kTagPixelXDimension = 0xA002;
inline constexpr std::uint16_t kTagPixelYDimension = 0xA003;
// The GPS IFD:
inline constexpr std::uint16_t kTagGpsLatitudeRef = 1;
inline constexpr std::uint16_t kTagGpsLatitude = 2;
inline constexpr std::uint16_t kTagGpsLongitudeRef = 3;
inline constexpr std::uint16_t kTagGpsLongitude = 4;

struct TiffHeader {
    bool bigEndian = false;
    std::uint16_t magic = 0; // kTiffMagic in TIFF data; not every reader asks
    std::uint32_t ifd0 = 0;  // from the header's start
};

// The header at `at` of `bytes` (see TiffReader): nothing when any of its 8 bytes lies outside
// them or its byte-order mark is neither II nor MM.
template <class Bytes> std::optional<TiffHeader> ReadTiffHeader(Bytes& bytes, std::uint64_t at) {
    const auto header = bytes.slice(at, kTiffHeaderBytes);
    const auto mark = header ? ByteReader(*header, true).u16(0) : std::nullopt;
    if (mark != kTiffIntel && mark != kTiffMotorola) {
        return std::nullopt;
    }
    const ByteReader reader(*header, mark == kTiffMotorola);
    return TiffHeader{mark == kTiffMotorola, static_cast<std::uint16_t>(*reader.u16(2)),
                      *reader.u32(4)};
}

// One 12-byte directory entry.
struct IfdEntry {
    std::uint16_t tag = 0;
    std::uint16_t type = 0;
    std::uint32_t count = 0;
    // The value field: the values themselves when they fit in its 4 bytes, else their offset.
    std::array<std::uint8_t, 4> field{};
    bool bigEndian = false;

    // Decoded only when asked for: most entries are never looked at again.
    std::uint16_t fieldShort() const { return *ByteReader(field, bigEndian).u16(0); }
    std::uint32_t fieldLong() const { return *ByteReader(field, bigEndian).u32(0); }
};

struct TiffDirectory {
    std::uint64_t position = 0; // of its entry count, in the bytes
    std::uint16_t count = 0;
};

// An ASCII value: its characters up to the first NUL.
inline std::string TiffText(std::span<const std::uint8_t> bytes) {
    const auto* first = reinterpret_cast<const char*>(bytes.data());
    return std::string(first, strnlen(first, bytes.size()));
}

// Reads the directories of the TIFF data whose header stands at `base` in `bytes`: a ByteReader,
// or the bytes of a file (HeaderBytes), whose slices stay valid only until its next read, so each
// entry is copied out before it is handed on. Offsets taken from the data count from the header,
// may be negative, and are added in 64 bits; one that leads outside the bytes is none. Which
// directories to read, how many entries to trust and what to make of their values is the
// caller's: this never follows a link by itself.
// What is not there at all: a directory whose count lies outside the bytes. What only cuts it
// short: an entry partly outside ends the directory there, with no link after it.
template <class Bytes> class TiffReader {
public:
    TiffReader(Bytes& bytes, std::uint64_t base, bool bigEndian)
        : bytes_(bytes), base_(base), bigEndian_(bigEndian) {}

    // The directory at `offset`; nothing when its count lies outside the bytes.
    std::optional<TiffDirectory> directory(std::int64_t offset) const {
        const auto position = at(offset);
        const auto count = position ? bytes_.slice(*position, 2) : std::nullopt;
        if (!count) {
            return std::nullopt;
        }
        return TiffDirectory{*position, static_cast<std::uint16_t>(*reader(*count).u16(0))};
    }

    // Hands `take` the directory's entries in turn, until one lies partly outside the bytes or
    // `take` returns false; true when it handed on all of them.
    template <class Take> bool entries(const TiffDirectory& directory, Take&& take) const {
        for (std::uint64_t i = 0; i < directory.count; ++i) {
            const auto bytes =
                bytes_.slice(directory.position + 2 + kIfdEntryBytes * i, kIfdEntryBytes);
            if (!bytes || !take(Decode(*bytes))) {
                return false;
            }
        }
        return true;
    }

    // The offset of the directory after this one, which follows its last entry.
    std::optional<std::uint32_t> next(const TiffDirectory& directory) const {
        const auto link =
            bytes_.slice(directory.position + 2 + kIfdEntryBytes * directory.count, 4);
        return link ? reader(*link).u32(0) : std::nullopt;
    }

    // The `length` bytes at `offset`, when all of them lie within the bytes.
    std::optional<std::span<const std::uint8_t>> slice(std::int64_t offset,
                                                       std::uint64_t length) const {
        const auto position = at(offset);
        return position ? bytes_.slice(*position, length) : std::nullopt;
    }

private:
    std::optional<std::uint64_t> at(std::int64_t offset) const {
        // The magnitude of a negative offset, INT64_MIN's included.
        const std::uint64_t back = offset < 0 ? 0 - static_cast<std::uint64_t>(offset) : 0;
        const auto ahead = static_cast<std::uint64_t>(std::max<std::int64_t>(offset, 0));
        if (back > base_ || ahead > std::numeric_limits<std::uint64_t>::max() - base_) {
            return std::nullopt;
        }
        return base_ - back + ahead;
    }

    ByteReader reader(std::span<const std::uint8_t> bytes) const {
        return ByteReader(bytes, bigEndian_);
    }

    IfdEntry Decode(std::span<const std::uint8_t> bytes) const {
        const ByteReader entry = reader(bytes);
        IfdEntry decoded;
        decoded.tag = static_cast<std::uint16_t>(*entry.u16(0));
        decoded.type = static_cast<std::uint16_t>(*entry.u16(2));
        decoded.count = *entry.u32(4);
        std::copy_n(bytes.begin() + 8, decoded.field.size(), decoded.field.begin());
        decoded.bigEndian = bigEndian_;
        return decoded;
    }

    Bytes& bytes_;
    std::uint64_t base_;
    bool bigEndian_;
};
