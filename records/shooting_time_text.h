#pragma once

#include <cstdint>
#include <string_view>

// Reads a shooting time written as "YYYY:MM:DD HH:MM:SS": each field is taken like atoi from
// its fixed place, so a short or oddly punctuated text still yields what stands there. True and
// `seconds` set when year >= 1900, month 1-12, day 1-31, hour 0-23, minute 0-59 and second 0-59;
// the time is local, and a day past the end of its month carries into the next.
bool ParseShootingTimeText(std::string_view text, std::int64_t& seconds);
