#include "records/path_component.h"

#include "titles/clean_title.h"

#include <string_view>

namespace {

// The full-width form of a character a path component cannot hold, or nothing.
std::string_view FullWidth(char c) {
    switch (c) {
    case '/':
        return "／";
    case '\\':
        return "＼";
    case ':':
        return "：";
    case '*':
        return "＊";
    case '?':
        return "？";
    case '"':
        return "＂";
    case '<':
        return "＜";
    case '>':
        return "＞";
    case '|':
        return "｜";
    default:
        return {};
    }
}

// A title of nothing but dots and spaces would be cleaned away; in full width they stay.
std::string WideDotsAndSpaces(const std::string& title) {
    std::string wide;
    for (const char c : title) {
        if (c == '.') {
            wide += "．";
        } else if (c == ' ') {
            wide += "　";
        } else {
            wide += c;
        }
    }
    return cleanFolderTitle(wide);
}

} // namespace

std::string PathComponent(const std::string& title, ComponentOf kind) {
    std::string cleaned =
        kind == ComponentOf::Photo ? cleanFileName(title) : cleanFolderTitle(title);
    if (cleaned.empty()) {
        cleaned = WideDotsAndSpaces(title);
    }
    std::string component;
    component.reserve(cleaned.size());
    for (const char c : cleaned) {
        const std::string_view wide = FullWidth(c);
        if (wide.empty()) {
            component += c;
        } else {
            component += wide;
        }
    }
    return component;
}
