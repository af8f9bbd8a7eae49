#include "exif/shooting_time_text.h"

#include "platform/local_time.h"

#include <algorithm>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// atoi over the characters [first, first + width) of the text, as far as the text reaches.
int FieldAt(std::string_view text, std::size_t first, std::size_t width) {
    const std::string_view field = text.substr(std::min(first, text.size()), width);
    std::size_t i = 0;
    while (i < field.size() && IsBlank(field[i])) {
        ++i;
    }
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
        negative = field[i] == '-';
        ++i;
    }
    int value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
        value = value * 10 + (field[i] - '0');
    }
    return negative ? -value : value;
}

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

} // namespace

bool ParseShootingTimeText(std::string_view text, std::int64_t& seconds) {
    LocalCalendar calendar;
    calendar.year = FieldAt(text, 0, 4);
    calendar.month = FieldAt(text, 5, 2);
    calendar.day = FieldAt(text, 8, 2);
    calendar.hour = FieldAt(text, 11, 2);
    calendar.minute = FieldAt(text, 14, 2);
    calendar.second = FieldAt(text, 17, 2);
    if (calendar.year < 1900 || !InRange(calendar.month, 1, 12) || !InRange(calendar.day, 1, 31) ||
        !InRange(calendar.hour, 0, 23) || !InRange(calendar.minute, 0, 59) ||
        !InRange(calendar.second, 0, 59)) {
        return false;
    }
    seconds = LocalToSeconds(calendar);
    return true;
}
