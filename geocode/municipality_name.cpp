#include "geocode/municipality_name.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 8> kSuffixes = {"市", "区", "町", "村",
                                                       "都", "道", "府", "県"};

// Kana, kanji and the iteration mark 々 only: three-byte UTF-8 from U+3005 to U+9FFF.
bool JapaneseScriptOnly(std::string_view name) {
    if (name.empty() || name.size() % 3 != 0) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); i += 3) {
        const auto lead = static_cast<unsigned char>(name[i]);
        const auto second = static_cast<unsigned char>(name[i + 1]);
        const bool symbols = lead == 0xE3 && second == 0x80; // U+3000..U+303F
        const bool iterationMark = symbols && static_cast<unsigned char>(name[i + 2]) == 0x85;
        if (lead < 0xE3 || lead > 0xE9 || (symbols && !iterationMark)) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string municipalityName(std::string_view japaneseName, std::string_view geonamesName,
                             std::uint32_t population) {
    std::string name(japaneseName);
    for (const std::string_view suffix : kSuffixes) {
        if (japaneseName.ends_with(suffix)) {
            return name;
        }
    }
    if (population >= kCityPopulation &&
        geonamesName.find_first_of("- ") == std::string_view::npos &&
        JapaneseScriptOnly(japaneseName)) {
        name += "市";
    }
    return name;
}
