#pragma once

#include "catalogue/qel_file_info.h"

// Writes the record file of a result photo or title folder at RecordFilePath, replacing an
// earlier one, and hides both the file and its kind directory. Returns 0, or -1 after
// reporting "ＸＭＬファイル作成に失敗しました" when the file cannot be made.
int WritePhotoRecord(const QELFileInfo& record);
int WriteFolderRecord(const QELFileInfo& record);
