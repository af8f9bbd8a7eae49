#include "ui/qel_row_layout.h"

#include "platform/ascii_case.h"
#include "titles/calendar_values.h"
#include "ui/ui_scale.h"

#include <cstdio>

namespace {

constexpr int kLevelIndent = 15;
constexpr int kTopLevelPhotoIndent = 3;

} // namespace

int RowHeightFor(int titleLine, int smallLine, double scale) {
    const int titleEnd = ScaledPixels(kPhotoTitleTop, scale) + titleLine;
    // Each pixel more moves the lower lines down by about half a pixel, so this ends.
    for (int height = ScaledPixels(kRowHeight, scale);; ++height) {
        const int half = height / 2;
        const int lower = height - half;
        if (lower >= smallLine && half + (lower - smallLine) / 2 >= titleEnd) {
            return height;
        }
    }
}

int RowIndent(const QELFileInfo& record) {
    if (record.isFolder == 0 && record.level == 0) {
        return kTopLevelPhotoIndent;
    }
    return record.level * kLevelIndent;
}

const QELImage* ShownPicture(const QELFileInfo& record) {
    if (record.isFolder != 0) {
        return nullptr;
    }
    if (record.thumbReady == 1) {
        return &record.thumbnail;
    }
    if (record.hasLink == 1 && record.linkedThumbnail != nullptr &&
        record.linkedThumbnail->image != nullptr) {
        return record.linkedThumbnail;
    }
    return nullptr;
}

bool HitsThumbnail(const QELFileInfo& record, int x) {
    const auto lock = LockRecord(record);
    const QELImage* picture = ShownPicture(record);
    if (picture == nullptr || picture->image == nullptr) {
        return false;
    }
    const int left = RowIndent(record);
    return x >= left && x <= left + picture->image->width;
}

bool ShowsDateLine(const QELFileInfo& record) {
    return record.isFolder == 0 &&
           (record.exifStatus == kExifStatusExifTime || DatedByFileTime(record));
}

bool ShowsPlaceLine(const QELFileInfo& record) {
    return record.isFolder == 0 && record.exifStatus == kExifStatusExifTime;
}

std::string ShootingDateLine(const QELFileInfo& record) {
    const CalendarValues calendar = calendarValues(record.shootTime);
    char text[96];
    std::snprintf(text, sizeof text, "撮影日時：%04d年%02d月%02d日", calendar.year, calendar.month,
                  calendar.day);
    return DatedByFileTime(record) ? std::string(text) + " (ファイル日時)" : text;
}

std::string CompanionMarks(const QELFileInfo& record) {
    std::string marks;
    for (const std::string& companion : record.companions) {
        const std::size_t dot = companion.rfind('.');
        marks += " ＋" + (dot == std::string::npos ? "" : AsciiUpper(companion.substr(dot + 1)));
    }
    return marks;
}

std::string ShootingPlaceLine(const QELFileInfo& record) {
    std::string text = "撮影場所：";
    for (const std::string& component : record.shortAddresses) {
        text += component;
    }
    return text;
}
