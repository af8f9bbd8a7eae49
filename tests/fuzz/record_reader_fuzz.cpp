#include "platform/local_time.h"
#include "platform/shooting_time_text.h"
#include "records/record_lines.h"
#include "records/record_reader.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

constexpr int kPresentYear = 2026;

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

void CheckHistory(const QELFileInfo& record) {
    Check(record.beforeNames.size() == record.beforeNameTimes.size());
    for (const std::string& name : record.beforeNames) {
        Check(!name.empty());
    }
}

} // namespace

// The reader as the analysis pass drives it: lines, joined text, then both restoring rules; and
// the element search with a name taken from the input itself.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    Check(SplitRecordLines(bytes, lines) == static_cast<int>(lines.size()));
    for (const std::string& line : lines) {
        Check(!line.empty() && line.find('\n') == std::string::npos);
    }
    const std::string text = JoinRecordLines(lines);

    QELFileInfo photo;
    RestorePhotoRecord(photo, text);
    CheckHistory(photo);
    for (const std::string& address : photo.shortAddresses) {
        Check(!address.empty());
    }
    Check(photo.exifStatus == kExifStatusExifTime || photo.shortAddresses.empty());
    Check(photo.latitude == photo.latitude && photo.longitude == photo.longitude);

    // A record the check takes, even for a photo of the very times it names, files it neither
    // after next year nor off the globe.
    PhotoFacts facts{"a.JPG", std::nullopt, std::nullopt, kPresentYear};
    std::int64_t seconds = 0;
    if (ParseShootingTimeText(FindElement("1stDateTimeFileRec", text), seconds)) {
        facts.modified = seconds;
    }
    if (ParseShootingTimeText(FindElement("DateTimeOriginal", text), seconds)) {
        facts.exifTime = seconds;
    }
    if (CheckPhotoRecord(text, facts) == RecordCheck::kDescribesPhoto) {
        QELFileInfo taken;
        RestorePhotoRecord(taken, text);
        Check(taken.shootTime < LocalToSeconds({kPresentYear + 2, 1, 1, 0, 0, 0}));
        Check(std::fabs(taken.latitude) <= 90.0 && std::fabs(taken.longitude) <= 180.0);
    }

    QELFileInfo folder;
    RestoreFolderRecord(folder, text);
    CheckHistory(folder);

    const std::string_view name = bytes.substr(0, bytes.find('>'));
    const std::string value = FindElement(name, text);
    Check(value.size() <= text.size());
    return 0;
}
