#include "records/record_check.h"

#include "platform/leading_number.h"
#include "platform/local_time.h"
#include "platform/shooting_time_text.h"
#include "records/record_lines.h"
#include "records/record_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr double kMaxLatitude = 90.0;
constexpr double kMaxLongitude = 180.0;

// What atoi finds a number in: blanks, a sign, then a digit.
bool HoldsNumber(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t\n\v\f\r");
    if (start == std::string_view::npos) {
        return false;
    }
    text.remove_prefix(start);
    if (text.front() == '-' || text.front() == '+') {
        text.remove_prefix(1);
    }
    return !text.empty() && text.front() >= '0' && text.front() <= '9';
}

// Our records name the path with '/', the Windows program's with '\', which a Linux name may hold.
std::string_view LastComponent(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t separator = slash != std::string_view::npos ? slash : path.rfind('\\');
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

bool NamesThePhoto(std::string_view text, std::string_view name) {
    const std::string path = FindElement("TransDirectoryPathName", text);
    if (path.empty()) {
        return true;
    }
    const std::string_view last = LastComponent(path);
    return last == name || last == RecordedValue(name);
}

bool HasTheFileTime(std::string_view text, const std::optional<std::int64_t>& modified) {
    const std::string recorded = FindElement("1stDateTimeFileRec", text);
    if (recorded.empty()) {
        return true;
    }
    std::int64_t seconds = 0;
    return modified && ParseShootingTimeText(recorded, seconds) &&
           std::abs(seconds - *modified) <= kFileTimeTolerance;
}

bool HasTheShootingTime(std::string_view text, const std::optional<std::int64_t>& exifTime) {
    const bool claimsExif = LeadingInt(FindElement("ExifStatus", text)) == 1;
    if (!exifTime) {
        return !claimsExif;
    }
    std::int64_t seconds = 0;
    return claimsExif && ParseShootingTimeText(FindElement("DateTimeOriginal", text), seconds) &&
           seconds == *exifTime;
}

bool IsFutureDate(const std::string& text, std::int64_t afterNextYear) {
    std::int64_t seconds = 0;
    return ParseShootingTimeText(text, seconds) && seconds >= afterNextYear;
}

bool IsOnTheGlobe(std::string_view text) {
    const double latitude = LeadingDouble(FindElement("GPSLatitude", text));
    const double longitude = LeadingDouble(FindElement("GPSLongitude", text));
    return std::fabs(latitude) <= kMaxLatitude && std::fabs(longitude) <= kMaxLongitude;
}

bool HasControlCharacter(std::string_view value) {
    for (const char c : value) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return true;
        }
    }
    return false;
}

// The record's texts that can reach a title: the places and the DCF names.
bool TitleTextsArePlain(std::string_view text) {
    for (int number = 1;; ++number) {
        char name[32];
        std::snprintf(name, sizeof name, "ShortAddress%02d", number);
        const std::string address = FindElement(name, text);
        if (address.empty()) {
            break;
        }
        if (HasControlCharacter(address)) {
            return false;
        }
    }
    return !HasControlCharacter(FindElement("OrgDCFFileName", text)) &&
           !HasControlCharacter(FindElement("NewDCFFileName", text));
}

bool IsPossible(std::string_view text, int presentYear) {
    const std::int64_t afterNextYear = LocalToSeconds({presentYear + 2, 1, 1, 0, 0, 0});
    return !IsFutureDate(FindElement("DateTimeOriginal", text), afterNextYear) &&
           !IsFutureDate(FindElement("1stDateTimeFileRec", text), afterNextYear) &&
           IsOnTheGlobe(text) && TitleTextsArePlain(text);
}

} // namespace

RecordCheck CheckPhotoRecord(std::string_view text, const PhotoFacts& photo) {
    if (!HoldsNumber(FindElement("ExifStatus", text))) {
        return RecordCheck::kNotARecord;
    }
    if (!IsPossible(text, photo.presentYear)) {
        return RecordCheck::kImpossibleValue;
    }
    if (!NamesThePhoto(text, photo.name)) {
        return RecordCheck::kOtherName;
    }
    if (!HasTheFileTime(text, photo.modified)) {
        return RecordCheck::kOtherFileTime;
    }
    if (!HasTheShootingTime(text, photo.exifTime)) {
        return RecordCheck::kOtherShootingTime;
    }
    return RecordCheck::kDescribesPhoto;
}
