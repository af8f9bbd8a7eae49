#include "geocode/utf8_to_narrow.h"

#include <cstddef>

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

struct Sequence {
    std::size_t length;
    bool valid;
};

// The well-formed sequences of Unicode's table 3-7: the lead byte fixes the length and the range
// of the second byte, which rules out overlong forms, surrogates and code points past U+10FFFF.
Sequence NextSequence(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text.front());
    std::size_t expected = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80) {
        return {1, true};
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        expected = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        expected = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        expected = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return {1, false};
    }
    std::size_t length = 1;
    while (length < expected && length < text.size()) {
        const auto byte = static_cast<unsigned char>(text[length]);
        if (byte < low || byte > high) {
            break;
        }
        ++length;
        low = 0x80;
        high = 0xBF;
    }
    return {length, length == expected};
}

} // namespace

std::string utf8ToNarrow(std::string_view utf8) {
    utf8 = utf8.substr(0, utf8.find('\0'));
    std::string narrow;
    narrow.reserve(utf8.size());
    while (!utf8.empty()) {
        const Sequence next = NextSequence(utf8);
        if (next.valid) {
            narrow.append(utf8.substr(0, next.length));
        } else {
            narrow.append(kReplacementCharacter);
        }
        utf8.remove_prefix(next.length);
    }
    return narrow;
}
