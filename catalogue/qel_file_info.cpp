#include "catalogue/qel_file_info.h"

#include <algorithm>

std::unique_lock<std::mutex> LockRecord(const QELFileInfo& record) {
    return record.mutex != nullptr ? std::unique_lock<std::mutex>(*record.mutex)
                                   : std::unique_lock<std::mutex>();
}

void copyRecord(const QELFileInfo& source, QELFileInfo& target) {
    target.isFolder = source.isFolder;
    target.level = source.level;
    target.path = source.path;
    target.name = source.name;
    target.title = source.title;
    target.backColor = source.backColor;
    target.exifStatus = source.exifStatus;
    target.latitude = source.latitude;
    target.longitude = source.longitude;
    target.shootTime = source.shootTime;
    target.orgDcfName = source.orgDcfName;
    target.newDcfName = source.newDcfName;
    target.dateTimeOriginalText = source.dateTimeOriginalText;
    target.fileDateTimeText = source.fileDateTimeText;
    target.orgTitleFileName = source.orgTitleFileName;
    target.orgPath = source.orgPath;
    target.oldestOrgPath = source.oldestOrgPath;
    target.mutex = source.mutex;
    target.shortAddresses.insert(target.shortAddresses.end(), source.shortAddresses.begin(),
                                 source.shortAddresses.end());
    // Pairwise, so the two lists keep the same length even if the source's did not.
    const std::size_t pairs = std::min(source.beforeNames.size(), source.beforeNameTimes.size());
    for (std::size_t i = 0; i < pairs; ++i) {
        target.beforeNames.push_back(source.beforeNames[i]);
        target.beforeNameTimes.push_back(source.beforeNameTimes[i]);
    }
    // The result photo draws the source's thumbnail instead of holding a copy.
    target.linkedThumbnail = &source.thumbnail;
    target.hasLink = 1;
}
