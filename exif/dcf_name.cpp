#include "exif/dcf_name.h"

#include "catalogue/qel_file_info.h"
#include "platform/ascii_case.h"
#include "platform/local_time.h"

#include <cstdio>
#include <mutex>
#include <string>

namespace {

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// The DCF standard's free characters: letters, digits and the underscore (IMG_0105.JPG). A
// lower-case letter counts, since a file system may show an upper-case name in lower case.
bool IsDcfFreeCharacter(char c) {
    return IsAsciiDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// Twelve bytes: four free characters, four digits; the extension is not looked at.
bool HasDcfForm(const std::string& name) {
    if (name.size() != 12) {
        return false;
    }
    for (std::size_t i = 0; i < 8; ++i) {
        if (!(i < 4 ? IsDcfFreeCharacter(name[i]) : IsAsciiDigit(name[i]))) {
            return false;
        }
    }
    return true;
}

// Lives as long as the process: names made by earlier passes are never made again soon.
int NextSequenceNumber() {
    static std::mutex lock;
    static int counter = 1;
    const std::lock_guard<std::mutex> hold(lock);
    const int number = counter;
    counter = counter == 255 ? 1 : counter + 1;
    return number;
}

} // namespace

void assignDcfName(QELFileInfo& photo) {
    if (!photo.orgDcfName.empty() || !photo.newDcfName.empty()) {
        return;
    }
    if (HasDcfForm(photo.name)) {
        photo.orgDcfName = AsciiUpper(photo.name);
        return;
    }
    const LocalCalendar time = SecondsToLocal(photo.shootTime);
    char name[32];
    std::snprintf(name, sizeof name, "TS%02d%02d%02d.JPG", time.hour, time.minute,
                  NextSequenceNumber());
    photo.newDcfName = name;
}
