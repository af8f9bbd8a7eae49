#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// What the analysis pass knows of a photo before it trusts the photo's record: a record left by an
// earlier copy describes the file beside it only as long as nobody renamed, swapped or replaced
// that file since.
struct PhotoFacts {
    std::string_view name;                // the photo's file name
    std::optional<std::int64_t> modified; // its modification time, when it could be had
    std::optional<std::int64_t> exifTime; // its EXIF DateTimeOriginal, when it holds one
    int presentYear = 1970;               // the local year now
};

// A copy keeps its source's modification time, and vfat keeps times to 2 seconds only.
inline constexpr std::int64_t kFileTimeTolerance = 2;

enum class RecordCheck {
    kDescribesPhoto,
    kNoRecord,          // missing, unreadable, empty, or larger than any record
    kNotARecord,        // lines without an ExifStatus number: a foreign or damaged file
    kOtherName,         // TransDirectoryPathName names a file of another name
    kOtherFileTime,     // 1stDateTimeFileRec is not the photo's modification time
    kOtherShootingTime, // ExifStatus and DateTimeOriginal do not tell the photo's EXIF date
    kImpossibleValue,   // a date after next year, a position off the globe, a control character
};

// Whether the record's joined text (JoinRecordLines) describes `photo`. The path is compared by
// its last component only, so a library moved to another disk, or written on Windows, is still
// recognised.
RecordCheck CheckPhotoRecord(std::string_view text, const PhotoFacts& photo);
