#include "titles/era_text.h"

#include <array>
#include <tuple>

namespace {

struct Era {
    const char* name;
    int firstYear; // the western year of the era's year 1
    int year;      // the first day counted, in the western calendar
    int month;
    int day;
};

// Newest first: the first era that had begun by the date is its era. Meiji began in 1868 but
// is counted from the first day of the western calendar in Japan.
constexpr std::array<Era, 5> kEras = {{
    {"令和", 2019, 2019, 5, 1},
    {"平成", 1989, 1989, 1, 8},
    {"昭和", 1926, 1926, 12, 25},
    {"大正", 1912, 1912, 7, 30},
    {"明治", 1868, 1873, 1, 1},
}};

} // namespace

std::string eraText(const CalendarValues& date) {
    const auto on = std::tie(date.year, date.month, date.day);
    for (const Era& era : kEras) {
        if (on < std::tie(era.year, era.month, era.day)) {
            continue;
        }
        const int number = date.year - era.firstYear + 1;
        return era.name + (number == 1 ? std::string("元") : std::to_string(number));
    }
    return "";
}
