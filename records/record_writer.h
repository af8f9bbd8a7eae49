#pragma once

#include "catalogue/qel_file_info.h"
#include "platform/destination_root.h"
#include "platform/hidden.h"

// Writes the record file of a result photo or title folder at RecordFilePath, replacing an
// earlier one unless that says the same apart from when it was written, and hides both the file and
// its kind directory — at once, or through `hidden` when the caller gathers the names of many
// records. Returns 0, or -1 after reporting "ＸＭＬファイル作成に失敗しました" with the record's
// path and the reason when the file cannot be made. Written through `root` when the record lies
// below it (`hidden` then gathers names relative to it): a record or `.hidden` that is a symbolic
// link is replaced, never written through, and a kind directory that is one is refused.
int WritePhotoRecord(const QELFileInfo& record, HiddenBatch* hidden = nullptr,
                     const DestinationRoot& root = DestinationRoot());
int WriteFolderRecord(const QELFileInfo& record, HiddenBatch* hidden = nullptr,
                      const DestinationRoot& root = DestinationRoot());
