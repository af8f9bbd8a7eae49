#pragma once

#include "catalogue/title_options.h"

#include <cstdint>
#include <string>

struct QELFileInfo;

// The sequence numbers of one re-titling run; a rule that uses one writes it and advances it.
struct TitleCounters {
    int yearCounter = 1;
    int dayCounter = 1;
    int fileCounter = 1;
};

// Composed titles are cleaned (cleanFolderTitle, cleanFileName) before a title left empty falls
// back to the counter, or a file name to the bare extension that renumberEqualNames numbers.
std::string composeYearTitle(const QELFileInfo& entry, const TitleOptions& options, int& counter);
std::string composeDayTitle(const QELFileInfo& entry, const TitleOptions& options, int& counter);
std::string composeFileName(const QELFileInfo& entry, const TitleOptions& options, int& counter);
// By the entry's level: 0 a year folder, 1 a day folder, anything else a photo.
std::string composeTitle(const QELFileInfo& entry, const TitleOptions& options,
                         TitleCounters& counters);
