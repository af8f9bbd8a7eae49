#include "platform/local_time.h"

#include <cstdio>
#include <ctime>

std::int64_t LocalToSeconds(const LocalCalendar& calendar) {
    std::tm fields{};
    fields.tm_year = calendar.year - 1900;
    fields.tm_mon = calendar.month - 1;
    fields.tm_mday = calendar.day;
    fields.tm_hour = calendar.hour;
    fields.tm_min = calendar.minute;
    fields.tm_sec = calendar.second;
    fields.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&fields));
}

LocalCalendar SecondsToLocal(std::int64_t seconds) {
    const auto time = static_cast<std::time_t>(seconds);
    std::tm fields{};
    if (localtime_r(&time, &fields) == nullptr) {
        return {};
    }
    return {fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday,
            fields.tm_hour,        fields.tm_min,     fields.tm_sec};
}

std::string FormatDateTime(const LocalCalendar& calendar) {
    char text[80];
    std::snprintf(text, sizeof text, "%04d:%02d:%02d %02d:%02d:%02d", calendar.year, calendar.month,
                  calendar.day, calendar.hour, calendar.minute, calendar.second);
    return text;
}
