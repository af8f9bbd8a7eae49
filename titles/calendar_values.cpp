#include "titles/calendar_values.h"

#include <ctime>

CalendarValues calendarValues(std::int64_t shootTime) {
    const auto time = static_cast<std::time_t>(shootTime);
    std::tm fields{};
    if (localtime_r(&time, &fields) == nullptr) {
        return {};
    }
    return {fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday, fields.tm_hour,
            fields.tm_min};
}
