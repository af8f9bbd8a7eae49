#include "titles/place_text.h"

std::string placeText(const std::vector<std::string>& components, int level) {
    if (level < 0 || static_cast<std::size_t>(level) >= components.size()) {
        return "";
    }
    return level == kPlaceAll ? joinComponents(components) : components[level];
}

std::string joinComponents(const std::vector<std::string>& components) {
    std::string joined;
    for (const std::string& component : components) {
        joined += component;
    }
    return joined;
}
