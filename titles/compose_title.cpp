#include "titles/compose_title.h"

#include "catalogue/qel_file_info.h"
#include "titles/calendar_values.h"
#include "titles/clean_title.h"
#include "titles/era_text.h"
#include "titles/place_text.h"

#include <cstdio>

namespace {

std::string TwoNumbers(const char* format, int first, int second) {
    char text[64];
    std::snprintf(text, sizeof text, format, first, second);
    return text;
}

std::string Year(int year) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d", year);
    return text;
}

std::string Next(int& counter) {
    return std::to_string(counter++);
}

bool Unset(const QELFileInfo& entry) {
    return entry.shootTime == 0;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace

std::string composeYearTitle(const QELFileInfo& entry, const TitleOptions& options, int& counter) {
    const CalendarValues date = calendarValues(entry.shootTime);
    // A date before the eras are counted in western years has its western year alone.
    const std::string era = eraText(date);
    std::string title;
    if (options.shootYear == 0) {
        title = Year(date.year) + "年";
    } else if (options.shootYear == 1) {
        title = Year(date.year);
    } else if (!Unset(entry) && (options.shootYear == 2 || options.shootYear == 3) && era.empty()) {
        title = Year(date.year) + "年";
    } else if (!Unset(entry) && options.shootYear == 2) {
        title = era + "年";
    } else if (!Unset(entry) && options.shootYear == 3) {
        title = Year(date.year) + "(" + era + ")年";
    }
    return title.empty() ? Next(counter) : title;
}

std::string composeDayTitle(const QELFileInfo& entry, const TitleOptions& options, int& counter) {
    std::string title;
    if (!Unset(entry) && options.folder2DateChoice == 0) {
        const CalendarValues calendar = calendarValues(entry.shootTime);
        title = TwoNumbers(options.shootDay == 0 ? "%02d月%02d日" : "%02d%02d", calendar.month,
                           calendar.day);
    } else if (!Unset(entry) && options.folder2DateChoice == 1) {
        title = Next(counter);
    }
    if (options.folder2PlaceChoice == 0) {
        title += placeText(entry.shortAddresses, options.folder2Place);
    }
    title = cleanFolderTitle(title);
    return title.empty() ? Next(counter) : title;
}

std::string composeFileName(const QELFileInfo& entry, const TitleOptions& options, int& counter) {
    std::string name;
    switch (options.fileChoice) {
    case 0:
        if (!Unset(entry)) {
            const CalendarValues calendar = calendarValues(entry.shootTime);
            name = TwoNumbers(options.shootHour == 0 ? "%02d時%02d分" : "%02d%02d", calendar.hour,
                              calendar.minute);
        }
        break;
    case 1:
        name = entry.orgDcfName.empty() ? entry.newDcfName : entry.orgDcfName;
        break;
    case 2:
        name = entry.beforeNames.empty() ? "" : entry.beforeNames.back();
        break;
    case 3:
        name = Next(counter);
        break;
    default:
        break;
    }
    // A DCF name, an earlier name or a number already names the photo: no place follows.
    const bool named = options.fileChoice >= 1 && options.fileChoice <= 3;
    if (!named && options.filePlaceChoice != 1) {
        name += placeText(entry.shortAddresses, options.filePlace);
    }
    if (!EndsWith(name, ".jpg") && !EndsWith(name, ".JPG")) {
        name += ".JPG";
    }
    return cleanFileName(name);
}

std::string composeTitle(const QELFileInfo& entry, const TitleOptions& options,
                         TitleCounters& counters) {
    switch (entry.level) {
    case 0:
        return composeYearTitle(entry, options, counters.yearCounter);
    case 1:
        return composeDayTitle(entry, options, counters.dayCounter);
    default:
        return composeFileName(entry, options, counters.fileCounter);
    }
}
