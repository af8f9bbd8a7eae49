#pragma once

#include "catalogue/qel_file_info.h"
#include "records/record_check.h"

#include <string>
#include <string_view>

// The joined lines (JoinRecordLines) of the record file at `path`; false when it gave no line.
bool ReadRecordText(const std::string& path, std::string& text);

// Restores a photo from the record file at `path` (RecordFilePath) when that record describes it
// (CheckPhotoRecord); otherwise leaves `record` as it was and says why not.
RecordCheck ReadPhotoRecord(QELFileInfo& record, const std::string& path, const PhotoFacts& photo);

// Appends a folder's recorded name history; 1 when the file held a non-empty line, else 0.
int ReadFolderRecord(QELFileInfo& record, const std::string& path);

// The restoring rules on a record's joined text (JoinRecordLines).
//  - `exifStatus` = ExifStatus read like atoi, kept in 16 bits.
//  - Status 1 with a DateTimeOriginal that forms a valid time: `shootTime` from it, the position
//    and the addresses ShortAddress01, 02, ... up to the first empty one. Without a valid time
//    the record counts as status 0, since status 1 promises an EXIF shooting time.
//  - Status 0: `shootTime` from 1stDateTimeFileRec when that forms a valid time, otherwise the
//    one the photo had; a second run over copies then files each photo where the first did.
//  - Both time texts, the name history up to the first empty name, and the DCF names, always.
void RestorePhotoRecord(QELFileInfo& record, std::string_view text);

// Appends BeforePairTitleFolderName n / DateTimeBeforePairTitleFolderName n up to the first
// empty name.
void RestoreFolderRecord(QELFileInfo& record, std::string_view text);
