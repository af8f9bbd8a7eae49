#pragma once

#include "catalogue/qel_file_info.h"

#include <string>

// Where the record file of a catalogue entry lies: in a kind directory beside the entry.
//   photo                       -> TSFXML/<title without its ".jpg" (any case)>TSF.XML
//   folder at level 0           -> TS1XML/<title>TS1.XML
//   folder at any other level   -> TS2XML/<title>TS2.XML

// "TSFXML", "TS1XML" or "TS2XML".
std::string RecordKindDirectory(const QELFileInfo& record);

// The record file's own name. A '/' of the title becomes '／', as the copy pass writes titles,
// so a title can never lead the record out of its kind directory.
std::string RecordFileName(const QELFileInfo& record);

// The record file a photo bearing the name `title` in `folder` (ending in '/') has.
std::string PhotoRecordPath(const std::string& folder, const std::string& title);

// "<folder of the entry's path>/<kind directory>/<file name>"; an entry path without any '/'
// gives a path relative to the current folder.
std::string RecordFilePath(const QELFileInfo& record);

// The kind directory beside the entry, as a path.
std::string RecordKindDirectoryPath(const QELFileInfo& record);
