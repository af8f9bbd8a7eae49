#include "exif/camera_written.h"

#include "platform/shooting_time_text.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// FAT keeps even seconds, rounded down.
constexpr std::int64_t kEarliestCameraWrite = -2;
constexpr std::size_t kShortestName = 4;
constexpr std::array<std::string_view, 4> kFirmwareWords = {"version", "firmware", "digital",
                                                            "camera"};

bool IsLetter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || byte >= 0x80;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return lower;
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Each occurrence becomes blanks, so that the pieces around it do not join into a word.
void BlankOut(std::string& text, const std::string& name) {
    if (name.empty()) {
        return;
    }
    for (auto at = text.find(name); at != std::string::npos; at = text.find(name, at)) {
        std::fill_n(text.begin() + static_cast<std::ptrdiff_t>(at), name.size(), ' ');
    }
}

} // namespace

bool IsFirmwareName(const std::string& software, const std::string& make,
                    const std::string& model) {
    std::string rest = Lower(software);
    BlankOut(rest, Lower(Trimmed(model)));
    BlankOut(rest, Lower(Trimmed(make)));
    for (std::size_t i = 0; i < rest.size();) {
        if (!IsLetter(rest[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < rest.size() && IsLetter(rest[end])) {
            ++end;
        }
        const std::string_view word(rest.data() + i, end - i);
        if (word.size() >= kShortestName &&
            std::find(kFirmwareWords.begin(), kFirmwareWords.end(), word) == kFirmwareWords.end()) {
            return false;
        }
        i = end;
    }
    return true;
}

bool WrittenByCamera(const ExifPreview& exif, std::int64_t modified) {
    std::int64_t shot = 0;
    if (exif.dateTime != exif.dateTimeOriginal ||
        !ParseShootingTimeText(exif.dateTimeOriginal, shot)) {
        return false;
    }
    const std::int64_t delay = modified - shot;
    return delay >= kEarliestCameraWrite && delay <= kLatestCameraWrite &&
           IsFirmwareName(exif.software, exif.make, exif.model);
}
