#pragma once

#include <cstdint>
#include <string>

struct LocalCalendar {
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Seconds since 1970-01-01 00:00:00 UTC of a local calendar time (mktime semantics: fields out
// of range carry over, daylight saving decided by the system).
std::int64_t LocalToSeconds(const LocalCalendar& calendar);

// The local calendar time of a count of seconds since 1970.
LocalCalendar SecondsToLocal(std::int64_t seconds);

// "%04d:%02d:%02d %02d:%02d:%02d"
std::string FormatDateTime(const LocalCalendar& calendar);
