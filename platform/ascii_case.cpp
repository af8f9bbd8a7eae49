#include "platform/ascii_case.h"

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string AsciiUpper(std::string text) {
    for (char& c : text) {
        c = AsciiUpper(c);
    }
    return text;
}
