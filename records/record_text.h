#pragma once

#include "catalogue/qel_file_info.h"

#include <string>
#include <string_view>

// The exact bytes of a record file, as the Windows program wrote them: the line
// "<?xml version=1.0?>", the root element's opening line, one "<name>value</name>" line per
// element, the closing line, every line ending in CR LF, nothing escaped, text in CP932.
// A value without a CP932 form that reads back as itself is not replaced: such a file is
// written in UTF-8 instead and says so in its first line. Every value is written as
// RecordedValue gives it.
// `now` is the local time of writing as "YYYY:MM:DD HH:MM:SS".

std::string PhotoRecordBytes(const QELFileInfo& record, const std::string& now);
std::string FolderRecordBytes(const QELFileInfo& record, const std::string& now);

// A value as a record holds it: CR and LF become spaces, since they would end the value's line,
// and bytes that are no UTF-8 (a Linux file name need not be) become U+FFFD, so that a record
// declared UTF-8 is UTF-8.
std::string RecordedValue(std::string_view value);
