#include "geocode/extract_element.h"

std::optional<ElementSpan> findElement(std::string_view name, std::string_view source,
                                       std::size_t start) {
    const std::string opening = "<" + std::string(name) + ">";
    const std::size_t tag = source.find(opening, start);
    if (tag == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t begin = tag + opening.size();
    const std::size_t end = source.find("</" + std::string(name) + ">", begin);
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    return ElementSpan{begin, end};
}

std::ptrdiff_t extractElement(std::string_view name, std::string_view source, std::ptrdiff_t start,
                              std::string& content) {
    if (start < 0 || static_cast<std::size_t>(start) > source.size()) {
        return -1;
    }
    const auto element = findElement(name, source, static_cast<std::size_t>(start));
    if (!element) {
        return -1;
    }
    content.assign(source.substr(element->begin, element->end - element->begin));
    return static_cast<std::ptrdiff_t>(element->begin);
}
