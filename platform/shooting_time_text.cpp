#include "platform/shooting_time_text.h"

#include "platform/leading_number.h"
#include "platform/local_time.h"

#include <algorithm>

namespace {

// The characters [first, first + width) of the text, as far as the text reaches, read as atoi.
int FieldAt(std::string_view text, std::size_t first, std::size_t width) {
    return LeadingInt(text.substr(std::min(first, text.size()), width));
}

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

bool ReadFields(std::string_view text, LocalCalendar& calendar) {
    calendar.year = FieldAt(text, 0, 4);
    calendar.month = FieldAt(text, 5, 2);
    calendar.day = FieldAt(text, 8, 2);
    calendar.hour = FieldAt(text, 11, 2);
    calendar.minute = FieldAt(text, 14, 2);
    calendar.second = FieldAt(text, 17, 2);
    return calendar.year >= 1900 && InRange(calendar.month, 1, 12) &&
           InRange(calendar.day, 1, 31) && InRange(calendar.hour, 0, 23) &&
           InRange(calendar.minute, 0, 59) && InRange(calendar.second, 0, 59);
}

} // namespace

bool ParseShootingTimeText(std::string_view text, std::int64_t& seconds) {
    LocalCalendar calendar;
    if (!ReadFields(text, calendar)) {
        return false;
    }
    seconds = LocalToSeconds(calendar);
    return true;
}

bool IsShootingTimeText(std::string_view text) {
    LocalCalendar calendar;
    return ReadFields(text, calendar);
}
