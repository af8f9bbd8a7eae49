#pragma once

#include <string>
#include <string_view>
#include <vector>

// The reading side of record files, tolerant by design: nothing in a file is rejected as a
// whole. A missing or unreadable file gives no lines; every other file gives its non-empty
// lines, whatever they hold. Lines end in CR LF or LF alone. The text is CP932 unless the first
// line declares "encoding=UTF-8"; bytes that are no CP932 become U+FFFD, UTF-8 lines are kept
// byte for byte. A file larger than kMaxRecordBytes gives no lines: no record is that large, and
// its start alone would pass for a record that says nothing.

inline constexpr std::size_t kMaxRecordBytes = 256 * 1024;

// Empties `lines`, fills it with the file's non-empty lines as UTF-8 and returns their number.
int ReadRecordLines(const std::string& path, std::vector<std::string>& lines);

// The same for bytes already in memory.
int SplitRecordLines(std::string_view bytes, std::vector<std::string>& lines);

// The lines joined with nothing between them: the text the elements are searched in.
std::string JoinRecordLines(const std::vector<std::string>& lines);

// The value between the first "<name>" and the first "</name>" after it; empty when either is
// missing. Case-sensitive, and the angle brackets keep "BeforeFileName1" from matching
// "DateTimeBeforeFileName1" or "BeforeFileName10".
std::string FindElement(std::string_view name, std::string_view text);
