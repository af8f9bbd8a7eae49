#include "titles/place_text.h"

std::string placeText(const std::vector<std::string>& components, int level) {
    if (level < 0 || level > kPlaceAll || components.empty()) {
        return "";
    }
    if (level == kPlaceAll) {
        return joinComponents(components);
    }
    return static_cast<std::size_t>(level) < components.size() ? components[level]
                                                               : components.back();
}

std::string joinComponents(const std::vector<std::string>& components) {
    std::string joined;
    for (const std::string& component : components) {
        joined += component;
    }
    return joined;
}
