#include "records/path_component.h"

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

} // namespace

std::string PathComponent(const std::string& title) {
    if (title == ".") {
        return "．";
    }
    if (title == "..") {
        return "．．";
    }
    std::string component;
    component.reserve(title.size());
    for (const char c : title) {
        const std::string_view wide = FullWidth(c);
        if (wide.empty()) {
            component += c;
        } else {
            component += wide;
        }
    }
    return component;
}
