#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Elements of the service's answer are found by plain byte search, without an XML parser: the
// content of an element is the text between "<name>" and the next "</name>" after it, taken
// unchanged (attributes, nested elements, entities and white space are not interpreted).

// Where an element's content lies: [begin, end), `end` being where its closing tag starts.
struct ElementSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// The first element `name` whose opening tag starts at or after `start`.
std::optional<ElementSpan> findElement(std::string_view name, std::string_view source,
                                       std::size_t start);

// As findElement, with the content copied out. Returns the position of the content's first byte,
// or -1 when a tag is missing or `start` lies outside the source.
std::ptrdiff_t extractElement(std::string_view name, std::string_view source, std::ptrdiff_t start,
                              std::string& content);
