#include "titles/numbered_name.h"

namespace {

constexpr std::size_t kExtensionLength = 4;

bool EndsInExtension(const std::string& name) {
    if (name.size() < kExtensionLength) {
        return false;
    }
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    const std::string extension = ".jpg";
    for (std::size_t i = 0; i < kExtensionLength; ++i) {
        if (lower(name[name.size() - kExtensionLength + i]) != extension[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

bool IsBareExtension(const std::string& name) {
    return name.size() == kExtensionLength && EndsInExtension(name);
}

std::string NumberedName(const std::string& name, int number) {
    const std::string digits = std::to_string(number);
    if (!EndsInExtension(name)) {
        return name + "-" + digits;
    }
    const std::size_t stem = name.size() - kExtensionLength;
    return name.substr(0, stem) + (stem == 0 ? "" : "-") + digits + name.substr(stem);
}
