#pragma once

#include <cstdint>

// A shooting time in the local calendar. When the time cannot be converted, year, month and
// day are 0 and hour and minute -1.
struct CalendarValues {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = -1;
    int minute = -1;
};

CalendarValues calendarValues(std::int64_t shootTime);
