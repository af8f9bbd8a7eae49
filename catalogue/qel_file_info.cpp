#include "catalogue/qel_file_info.h"

#include <algorithm>

std::unique_lock<std::mutex> LockRecord(const QELFileInfo& record) {
    return record.mutex != nullptr ? std::unique_lock<std::mutex>(*record.mutex)
                                   : std::unique_lock<std::mutex>();
}

bool DatedByFileTime(const PhotoData& photo) {
    return photo.exifStatus == kExifStatusFileTime && !photo.fileDateTimeText.empty();
}

namespace {

std::int64_t ModifiedNs(const struct stat& status) {
    constexpr std::int64_t kNsPerSecond = 1'000'000'000;
    return static_cast<std::int64_t>(status.st_mtim.tv_sec) * kNsPerSecond + status.st_mtim.tv_nsec;
}

} // namespace

void MeasureFile(PhotoData& photo, const struct stat& status) {
    photo.analysedSize = status.st_size;
    photo.analysedModifiedNs = ModifiedNs(status);
}

bool ChangedSinceMeasured(const PhotoData& photo, const struct stat& status) {
    return photo.analysedSize != kNotMeasured &&
           (status.st_size != photo.analysedSize || ModifiedNs(status) != photo.analysedModifiedNs);
}

void copyRecord(const QELFileInfo& source, QELFileInfo& target) {
    // The lists are appended to what the target holds.
    std::vector<std::string> places = std::move(target.shortAddresses);
    std::vector<std::string> names = std::move(target.beforeNames);
    std::vector<std::string> times = std::move(target.beforeNameTimes);
    static_cast<PhotoData&>(target) = source;
    places.insert(places.end(), source.shortAddresses.begin(), source.shortAddresses.end());
    target.shortAddresses = std::move(places);
    // Pairwise, so the two lists keep the same length even if the source's did not.
    const std::size_t pairs = std::min(source.beforeNames.size(), source.beforeNameTimes.size());
    for (std::size_t i = 0; i < pairs; ++i) {
        names.push_back(source.beforeNames[i]);
        times.push_back(source.beforeNameTimes[i]);
    }
    target.beforeNames = std::move(names);
    target.beforeNameTimes = std::move(times);

    target.isFolder = source.isFolder;
    target.level = source.level;
    target.path = source.path;
    target.name = source.name;
    target.title = source.title;
    target.backColor = source.backColor;
    target.orgTitleFileName = source.orgTitleFileName;
    target.orgPath = source.orgPath;
    target.oldestOrgPath = source.oldestOrgPath;
    target.companions = source.companions;
    target.mutex = source.mutex;
    // The result photo draws the source's thumbnail instead of holding a copy.
    target.linkedThumbnail = &source.thumbnail;
    target.hasLink = 1;
}
