#include "records/record_reader.h"

#include "platform/leading_number.h"
#include "platform/shooting_time_text.h"
#include "records/record_lines.h"

#include <cstdio>
#include <vector>

namespace {

std::string Numbered(const char* format, int number) {
    char name[64];
    std::snprintf(name, sizeof name, format, number);
    return name;
}

// Names and times grow together, so the two lists always keep the same length.
void AppendHistory(QELFileInfo& record, std::string_view text, const char* nameFormat,
                   const char* timeFormat) {
    for (int number = 1;; ++number) {
        std::string name = FindElement(Numbered(nameFormat, number), text);
        if (name.empty()) {
            return;
        }
        record.beforeNames.push_back(std::move(name));
        record.beforeNameTimes.push_back(FindElement(Numbered(timeFormat, number), text));
    }
}

void AppendAddresses(QELFileInfo& record, std::string_view text) {
    for (int number = 1;; ++number) {
        std::string address = FindElement(Numbered("ShortAddress%02d", number), text);
        if (address.empty()) {
            return;
        }
        record.shortAddresses.push_back(std::move(address));
    }
}

void RestoreShootingPlace(QELFileInfo& record, std::string_view text) {
    record.latitude = LeadingDouble(FindElement("GPSLatitude", text));
    record.longitude = LeadingDouble(FindElement("GPSLongitude", text));
    AppendAddresses(record, text);
}

void RestoreShootingTime(QELFileInfo& record, std::string_view text) {
    std::int64_t seconds = 0;
    if (record.exifStatus == kExifStatusExifTime) {
        if (ParseShootingTimeText(FindElement("DateTimeOriginal", text), seconds)) {
            record.shootTime = seconds;
            RestoreShootingPlace(record, text);
            return;
        }
        record.exifStatus = kExifStatusFileTime;
    }
    if (record.exifStatus == kExifStatusFileTime &&
        ParseShootingTimeText(FindElement("1stDateTimeFileRec", text), seconds)) {
        record.shootTime = seconds;
    }
}

} // namespace

bool ReadRecordText(const std::string& path, std::string& text) {
    std::vector<std::string> lines;
    if (ReadRecordLines(path, lines) == 0) {
        return false;
    }
    text = JoinRecordLines(lines);
    return true;
}

void RestorePhotoRecord(QELFileInfo& record, std::string_view text) {
    record.exifStatus = static_cast<std::int16_t>(LeadingInt(FindElement("ExifStatus", text)));
    RestoreShootingTime(record, text);
    record.dateTimeOriginalText = FindElement("DateTimeOriginal", text);
    record.fileDateTimeText = FindElement("1stDateTimeFileRec", text);
    AppendHistory(record, text, "BeforeFileName%d", "DateTimeBeforeFileName%d");
    record.orgDcfName = FindElement("OrgDCFFileName", text);
    record.newDcfName = FindElement("NewDCFFileName", text);
}

void RestoreFolderRecord(QELFileInfo& record, std::string_view text) {
    AppendHistory(record, text, "BeforePairTitleFolderName%d",
                  "DateTimeBeforePairTitleFolderName%d");
}

RecordCheck ReadPhotoRecord(QELFileInfo& record, const std::string& path, const PhotoFacts& photo) {
    std::string text;
    if (!ReadRecordText(path, text)) {
        return RecordCheck::kNoRecord;
    }
    const RecordCheck check = CheckPhotoRecord(text, photo);
    if (check == RecordCheck::kDescribesPhoto) {
        RestorePhotoRecord(record, text);
    }
    return check;
}

int ReadFolderRecord(QELFileInfo& record, const std::string& path) {
    std::string text;
    if (!ReadRecordText(path, text)) {
        return 0;
    }
    RestoreFolderRecord(record, text);
    return 1;
}
