#include "titles/assign_titles.h"
#include "titles/title_settings.h"

#include "titles/calendar_values.h"
#include "titles/compose_title.h"
#include "titles/renumber_equal_names.h"
#include "titles/shooting_order.h"

#include <algorithm>
#include <memory>

namespace {

// The grouping tree; each group keeps the calendar values of its first photo, so that
// grouping compares numbers instead of converting times again.
struct DayGroup {
    int month = 0;
    int day = 0;
    std::vector<const QELFileInfo*> photos;
};

struct YearGroup {
    int year = 0;
    std::vector<DayGroup> days;
};

std::vector<YearGroup> GroupByDay(const RecordList& photos) {
    std::vector<YearGroup> years;
    for (const auto& photo : photos) {
        const CalendarValues calendar = calendarValues(photo->shootTime);
        auto year = std::find_if(years.begin(), years.end(),
                                 [&](const YearGroup& g) { return g.year == calendar.year; });
        if (year == years.end()) {
            year = years.insert(years.end(), YearGroup{calendar.year, {}});
        }
        auto day = std::find_if(year->days.begin(), year->days.end(), [&](const DayGroup& g) {
            return g.month == calendar.month && g.day == calendar.day;
        });
        if (day == year->days.end()) {
            day = year->days.insert(year->days.end(), DayGroup{calendar.month, calendar.day, {}});
        }
        day->photos.push_back(photo.get());
    }
    return years;
}

QELFileInfo& Append(CManageQELFileInfo& catalogue, std::unique_ptr<QELFileInfo> entry) {
    QELFileInfo& appended = *entry;
    if (catalogue.resultList != nullptr) {
        catalogue.resultList->AddRow(&appended);
    }
    catalogue.results.push_back(std::move(entry));
    return appended;
}

QELFileInfo& AppendFolder(CManageQELFileInfo& catalogue, int level, const QELFileInfo& oldest) {
    auto entry = std::make_unique<QELFileInfo>();
    entry->isFolder = 1;
    entry->level = level;
    entry->backColor = level == 0 ? kLevel0FolderColor : kLevel1FolderColor;
    entry->icon = level == 0 ? &catalogue.level0Icon : &catalogue.level1Icon;
    entry->shootTime = oldest.shootTime;
    entry->oldestOrgPath = oldest.path;
    entry->mutex = catalogue.mutex;
    return Append(catalogue, std::move(entry));
}

void AppendPhoto(CManageQELFileInfo& catalogue, const QELFileInfo& photo) {
    auto entry = std::make_unique<QELFileInfo>();
    entry->beforeNames.reserve(photo.beforeNames.size() + 1);
    entry->beforeNameTimes.reserve(photo.beforeNameTimes.size() + 1);
    copyRecord(photo, *entry);
    entry->level = 2;
    entry->backColor = kPhotoColor;
    entry->icon = &catalogue.photoIcon;
    entry->beforeNames.push_back(photo.name);
    entry->beforeNameTimes.push_back(
        photo.dateTimeOriginalText.empty() ? photo.fileDateTimeText : photo.dateTimeOriginalText);
    entry->orgPath = photo.path;
    entry->orgTitleFileName = photo.name;
    Append(catalogue, std::move(entry));
}

void AppendDay(CManageQELFileInfo& catalogue, const DayGroup& day) {
    QELFileInfo& folder = AppendFolder(catalogue, 1, *day.photos.front());
    for (const QELFileInfo* photo : day.photos) {
        AppendPhoto(catalogue, *photo);
        if (folder.shortAddresses.empty()) {
            folder.shortAddresses = photo->shortAddresses;
        }
    }
}

} // namespace

void assignTitles(CManageQELFileInfo& catalogue, TitleOptionsView* view) {
    clearResults(catalogue);
    sortByShooting(catalogue.photos);
    catalogue.results.reserve(catalogue.photos.size());
    for (const YearGroup& year : GroupByDay(catalogue.photos)) {
        AppendFolder(catalogue, 0, *year.days.front().photos.front());
        for (const DayGroup& day : year.days) {
            AppendDay(catalogue, day);
        }
    }
    retitle(catalogue, view);
}

void retitle(CManageQELFileInfo& catalogue, TitleOptionsView* view) {
    if (view != nullptr) {
        readTitleOptionsFromControls(*view, catalogue.options);
        saveTitleOptions(catalogue.options);
        const int fileChoice = catalogue.options.fileChoice;
        view->enableControl(kFilePlaceCombo, fileChoice < 1 || fileChoice > 3);
    }
    if (catalogue.results.empty()) {
        return;
    }
    TitleCounters counters;
    for (const auto& entry : catalogue.results) {
        if (entry->level == 0) {
            counters.dayCounter = 1;
            counters.fileCounter = 1;
        } else if (entry->level == 1) {
            counters.fileCounter = 1;
        }
        // A title the user typed still takes its counter, so that the others keep theirs.
        std::string composed = composeTitle(*entry, catalogue.options, counters);
        entry->title = entry->handTitle.empty() ? std::move(composed) : entry->handTitle;
    }
    renumberEqualNames(catalogue.results);
    if (catalogue.resultList != nullptr) {
        catalogue.resultList->Invalidate();
    }
}
