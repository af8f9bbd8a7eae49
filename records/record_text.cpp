#include "records/record_text.h"

#include "platform/cp932.h"
#include "platform/local_time.h"
#include "platform/valid_utf8.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

constexpr char kVersion[] = "TessaroV2.5";
constexpr char kLineEnd[] = "\r\n";
constexpr char kCp932Header[] = "<?xml version=1.0?>";
constexpr char kUtf8Header[] = "<?xml version=1.0 encoding=UTF-8?>";

class RecordBody {
public:
    void add(const std::string& name, const std::string& value) {
        text_ += "<" + name + ">" + RecordedValue(value) + "</" + name + ">" + kLineEnd;
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

std::string Numbered(const char* format, int number) {
    char name[64];
    std::snprintf(name, sizeof name, format, number);
    return name;
}

// "%.6f" without the process locale, which the window toolkit may have changed.
std::string SixDecimals(double value) {
    char text[400];
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    return error == std::errc() ? std::string(text, end) : std::string("0.000000");
}

std::string TimeText(std::int64_t seconds) {
    return FormatDateTime(SecondsToLocal(seconds));
}

void AddHistory(RecordBody& body, const QELFileInfo& record, const char* nameFormat,
                const char* timeFormat) {
    for (std::size_t i = 0; i < record.beforeNames.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        body.add(Numbered(nameFormat, number), record.beforeNames[i]);
        body.add(Numbered(timeFormat, number),
                 i < record.beforeNameTimes.size() ? record.beforeNameTimes[i] : "");
    }
}

void AddAddresses(RecordBody& body, const QELFileInfo& record) {
    std::string full;
    for (std::size_t i = 0; i < record.shortAddresses.size(); ++i) {
        body.add(Numbered("ShortAddress%02d", static_cast<int>(i + 1)), record.shortAddresses[i]);
        full += record.shortAddresses[i];
    }
    body.add("FullAddress", full);
}

// Some characters have a CP932 form that reads back as another one (U+00A5 as '\', U+301C as
// U+FF5E); taking that form would change the value, so only an exact round trip counts.
std::optional<std::string> ExactCp932(const std::string& utf8) {
    std::optional<std::string> cp932 = Utf8ToCp932Strict(utf8);
    if (!cp932 || Cp932ToUtf8Strict(*cp932) != utf8) {
        return std::nullopt;
    }
    return cp932;
}

std::string Encode(const std::string& root, const RecordBody& body) {
    const std::string content =
        "<" + root + ">" + kLineEnd + body.text() + "</" + root + ">" + kLineEnd;
    if (std::optional<std::string> cp932 = ExactCp932(content)) {
        return kCp932Header + std::string(kLineEnd) + *cp932;
    }
    return kUtf8Header + std::string(kLineEnd) + content;
}

} // namespace

std::string RecordedValue(std::string_view value) {
    std::string text = ValidUtf8(value);
    for (char& c : text) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return text;
}

std::string PhotoRecordBytes(const QELFileInfo& record, const std::string& now) {
    RecordBody body;
    body.add("VersionNumber", kVersion);
    body.add("ExifStatus", std::to_string(record.exifStatus));
    body.add("OrgDirectoryPathName", record.orgPath);
    body.add("OrgTitleFileName", record.orgTitleFileName);
    body.add("DateTimeOriginal", record.dateTimeOriginalText);
    body.add("1stDateTimeFileRec", record.fileDateTimeText);
    body.add("GPSLatitude", SixDecimals(record.latitude));
    body.add("GPSLongitude", SixDecimals(record.longitude));
    AddAddresses(body, record);
    body.add(Numbered("ShortUserFileName%d", 1), "");
    body.add("TransDirectoryPathName", record.path);
    body.add("TransTitleFileName", record.title);
    body.add("DateTimeTransTitleFileName", now);
    AddHistory(body, record, "BeforeFileName%d", "DateTimeBeforeFileName%d");
    body.add("OrgDCFFileName", record.orgDcfName);
    body.add("NewDCFFileName", record.newDcfName);
    return Encode("TessaroFile", body);
}

std::string FolderRecordBytes(const QELFileInfo& record, const std::string& now) {
    RecordBody body;
    body.add("VersionNumber", kVersion);
    body.add("PairTitleFolderName", record.title);
    body.add("DateTimePairTitleFolderNamegot", now);
    body.add("OldestOrgDirectoryPathName", record.oldestOrgPath);
    body.add("DateTimeOriginalOldestFile", TimeText(record.shootTime));
    AddHistory(body, record, "BeforePairTitleFolderName%d", "DateTimeBeforePairTitleFolderName%d");
    return Encode(record.level == 0 ? "TessaroFolder1" : "TessaroFolder2", body);
}
