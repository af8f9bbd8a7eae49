#pragma once

#include "titles/calendar_values.h"

#include <string>

// The Japanese era year of a local calendar date, chosen by the date: an era begins on the day
// it began, and its first year is 元年 ("令和元" for 2019-05-01, "平成31" for 2019-04-30).
// Meiji counts from 1873-01-01, when Japan took up the western calendar; before it the era
// years do not line up with western years, and the text is empty.
std::string eraText(const CalendarValues& date);
