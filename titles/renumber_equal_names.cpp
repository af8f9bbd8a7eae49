#include "titles/renumber_equal_names.h"

namespace {

constexpr char kExtension[] = ".JPG";

void Number(std::string& name, int number) {
    const std::string digits = std::to_string(number);
    name = replaceExtension(name,
                            name == kExtension ? digits + kExtension : "-" + digits + kExtension);
}

// Numbers the photos after `first`, up to the next folder, whose title equals its own.
void NumberEqualsOf(RecordList& results, std::size_t first) {
    std::string& name = results[first]->title;
    int next = 2;
    for (std::size_t q = first + 1; q < results.size() && !results[q]->isFolder; ++q) {
        if (results[q]->title == name) {
            Number(results[q]->title, next++);
        }
    }
    if (next > 2 || name == kExtension) {
        Number(name, 1);
    }
}

} // namespace

std::string replaceExtension(const std::string& name, const std::string& suffix) {
    const std::string extension = kExtension;
    std::string replaced;
    std::size_t from = 0;
    for (std::size_t at; (at = name.find(extension, from)) != std::string::npos;
         from = at + extension.size()) {
        replaced.append(name, from, at - from).append(suffix);
    }
    return replaced.append(name, from);
}

void renumberEqualNames(RecordList& results) {
    for (std::size_t p = 0; p + 1 < results.size(); ++p) {
        if (!results[p]->isFolder) {
            NumberEqualsOf(results, p);
        }
    }
    if (!results.empty() && !results.back()->isFolder && results.back()->title == kExtension) {
        results.back()->title = "1" + std::string(kExtension);
    }
}
