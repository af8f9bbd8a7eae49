#pragma once

#include "catalogue/qel_image.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <vector>

struct RGBColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const RGBColor&) const = default;
};

enum class RowIconKind { Photo, Folder, Level0Folder, Level1Folder };

// A row picture owned by the catalogue; the window draws the picture of its kind.
struct RowIcon {
    RowIconKind kind = RowIconKind::Photo;
    int width = 0;
    int height = 0;
};

// Where a photo's shooting time came from. A record file may give any other number, which is kept
// as it was read.
inline constexpr std::int16_t kExifStatusFileTime = 0; // no EXIF date: the file's time stands in
inline constexpr std::int16_t kExifStatusExifTime = 1; // DateTimeOriginal
inline constexpr std::int16_t kExifStatusNotAnalysed = 2;

inline constexpr std::int64_t kNotMeasured = -1;

// What the analysis pass learns of a photo, from the photo or from its record file, and what a
// result copy carries on: one structure, so that a value added here goes wherever the others go.
struct PhotoData {
    std::int16_t exifStatus = kExifStatusNotAnalysed;
    double latitude = 0.0;
    double longitude = 0.0;
    std::vector<std::string> shortAddresses;
    std::string orgDcfName;
    std::string newDcfName;
    std::int64_t shootTime = 0;
    std::string dateTimeOriginalText;
    std::string fileDateTimeText;
    std::vector<std::string> beforeNames;
    std::vector<std::string> beforeNameTimes;
    // The photo file as the analysis pass found it, so that the copy pass can tell a photo that
    // was cut short or replaced since: its size (kNotMeasured until measured) and its
    // modification time in nanoseconds since the epoch.
    std::int64_t analysedSize = kNotMeasured;
    std::int64_t analysedModifiedNs = 0;
};

// A photo without an EXIF shooting time, dated by its file's modification time: by the analysis
// pass, or by a record file that says so.
bool DatedByFileTime(const PhotoData& photo);

// Keeps the photo file's size and modification time as `status` gives them.
void MeasureFile(PhotoData& photo, const struct stat& status);
// Whether the file `status` describes was cut short, grown or written again since it was measured;
// false for a photo never measured.
bool ChangedSinceMeasured(const PhotoData& photo, const struct stat& status);

// One catalogue record: a source folder or photo, a title folder, or a result photo.
// A plain structure; it never owns what `mutex`, `icon` or `linkedThumbnail` point to.
struct QELFileInfo : PhotoData {
    std::mutex* mutex = nullptr;
    int isFolder = 0;
    int level = 0;
    std::string path;
    std::string name;
    std::string title;
    // A result entry's title as the user typed it (cleaned), kept when titles are composed
    // again; empty when the user has not edited it.
    std::string handTitle;
    RGBColor backColor;
    const RowIcon* icon = nullptr;
    int thumbReady = 0;
    QELImage thumbnail;
    int hasLink = 0;
    const QELImage* linkedThumbnail = nullptr;
    std::string orgTitleFileName;
    std::string orgPath;
    std::string oldestOrgPath;
    // The files beside a photo that bear its name with another extension (its RAW, voice memo,
    // sidecar, a Live Photo's video), in name order: their paths on the card, and once the copy
    // pass has placed them, their paths in the destination.
    std::vector<std::string> companions;
};

inline constexpr RGBColor kSourceFolderColor{198, 198, 255};
inline constexpr RGBColor kPhotoColor{255, 255, 255};
inline constexpr RGBColor kLevel0FolderColor{122, 222, 222};
inline constexpr RGBColor kLevel1FolderColor{255, 162, 162};

// Holds the lock `record` points to (none when it has none): the workers put a record's new
// values in place under it, and whoever reads them on another thread takes it too.
std::unique_lock<std::mutex> LockRecord(const QELFileInfo& record);

// Fills `target` as a result copy of the source photo `source`: the values are copied, the
// thumbnail is linked, not duplicated.
void copyRecord(const QELFileInfo& source, QELFileInfo& target);
