#include "titles/numbered_name.h"

#include "catalogue/folder_scan.h"

bool IsBareExtension(const std::string& name) {
    return name.size() == kPhotoExtensionLength && IsPhotoName(name);
}

std::string NumberedName(const std::string& name, int number) {
    const std::string digits = std::to_string(number);
    if (!IsPhotoName(name)) {
        return name + "-" + digits;
    }
    const std::size_t stem = name.size() - kPhotoExtensionLength;
    return name.substr(0, stem) + (stem == 0 ? "" : "-") + digits + name.substr(stem);
}
