#pragma once

#include <cstdint>
#include <string_view>

// Reads an EXIF date text "YYYY:MM:DD HH:MM:SS": each field at its fixed place, read like atoi.
// Returns false when a field is out of range (year >= 1900, month 1-12, day 1-31, hour 0-23,
// minute 0-59, second 0-59); otherwise sets `seconds` to the local time they name, a day past
// the end of its month carrying into the next month.
bool ParseShootingTimeText(std::string_view text, std::int64_t& seconds);

// Whether ParseShootingTimeText would give a time for `text`, without working the time out.
bool IsShootingTimeText(std::string_view text);
