#include "records/path_component.h"

std::string PathComponent(const std::string& title) {
    if (title == ".") {
        return "．";
    }
    if (title == "..") {
        return "．．";
    }
    std::string component;
    for (const char c : title) {
        if (c == '/') {
            component += "／";
        } else {
            component += c;
        }
    }
    return component;
}
