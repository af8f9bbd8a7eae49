#pragma once

#include "catalogue/qel_file_info.h"

#include <string>

// The exact bytes of a record file, as the Windows program wrote them: the line
// "<?xml version=1.0?>", the root element's opening line, one "<name>value</name>" line per
// element, the closing line, every line ending in CR LF, nothing escaped, text in CP932.
// A value without a CP932 form that reads back as itself is not replaced: such a file is
// written in UTF-8 instead and says so in its first line.
// `now` is the local time of writing as "YYYY:MM:DD HH:MM:SS".

std::string PhotoRecordBytes(const QELFileInfo& record, const std::string& now);
std::string FolderRecordBytes(const QELFileInfo& record, const std::string& now);
