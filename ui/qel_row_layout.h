#pragma once

#include "catalogue/qel_file_info.h"

#include <string>

// Where the parts of a list row go; the owner-drawn lists paint by these and test clicks by them.

// The least height of a row at 96 DPI; rows grow to hold their fonts.
inline constexpr int kRowHeight = 36;
// The row picture's left edge past the indentation when an icon stands in for a thumbnail.
inline constexpr int kIconInset = 4;
inline constexpr int kFolderTitleInset = 30;
inline constexpr int kPhotoTitleInset = 40;
inline constexpr int kPhotoTitleTop = 4;
inline constexpr int kDateLineInset = 80;
// Past the date line's end: "撮影日時：2010年08月15日" is about 150 pixels wide at its 13-pixel
// line (220 was enough for the 10-pixel one).
inline constexpr int kPlaceLineInset = 240;

// A row's height at `scale` for fonts whose lines are `titleLine` and `smallLine` pixels high:
// at least the least row height, and enough that the date and place lines, centred in the lower
// half, begin below the title's line.
int RowHeightFor(int titleLine, int smallLine, double scale);

// 3 for a photo at level 0, otherwise 15 pixels a level (a folder at level 0 starts at 0).
int RowIndent(const QELFileInfo& record);

// The picture a photo row shows: its own thumbnail once ready, else the linked thumbnail of
// its source record when that holds an image; nullptr when the row shows its icon (folders
// always). Read under the record's mutex: the search worker writes these fields under it.
const QELImage* ShownPicture(const QELFileInfo& record);

// True when a press at `x` on the row lands on the thumbnail it shows: from the indentation to
// the indentation plus the picture's width, both ends included. Only the x coordinate counts.
bool HitsThumbnail(const QELFileInfo& record, int x);

// Whether a photo row shows its date line, and its place line: a photo dated by its file time has
// no position read, and its date line takes the room of the place line.
bool ShowsDateLine(const QELFileInfo& record);
bool ShowsPlaceLine(const QELFileInfo& record);

// "撮影日時：%04d年%02d月%02d日" of the shooting time in local time (zeros when it cannot be
// converted), followed by " (ファイル日時)" when the photo is dated by its file time.
std::string ShootingDateLine(const QELFileInfo& record);

// " ＋CR3 ＋WAV" after a photo's title: each companion's extension in upper case, behind a
// full-width plus; empty for a row without companions.
std::string CompanionMarks(const QELFileInfo& record);

// "撮影場所：" followed by every address component, without separator.
std::string ShootingPlaceLine(const QELFileInfo& record);
