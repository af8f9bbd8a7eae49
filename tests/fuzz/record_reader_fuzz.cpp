#include "records/record_lines.h"
#include "records/record_reader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

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

    QELFileInfo folder;
    RestoreFolderRecord(folder, text);
    CheckHistory(folder);

    const std::string_view name = bytes.substr(0, bytes.find('>'));
    const std::string value = FindElement(name, text);
    Check(value.size() <= text.size());
    return 0;
}
