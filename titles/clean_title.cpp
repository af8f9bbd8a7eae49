#include "titles/clean_title.h"

#include "catalogue/folder_scan.h"

namespace {

// U+0080–U+009F in UTF-8: 0xC2 followed by 0x80–0x9F.
constexpr unsigned char kC1Lead = 0xC2;
constexpr unsigned char kC1Last = 0x9F;
constexpr unsigned char kDelete = 0x7F;

bool IsAsciiControl(unsigned char byte) {
    return byte < 0x20 || byte == kDelete;
}

std::string WithoutControls(const std::string& text) {
    std::string kept;
    kept.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (IsAsciiControl(byte)) {
            continue;
        }
        if (byte == kC1Lead && i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            if (next >= 0x80 && next <= kC1Last) {
                ++i;
                continue;
            }
        }
        kept += text[i];
    }
    return kept;
}

std::string WithoutTrailingDotsAndSpaces(std::string text) {
    while (!text.empty() && (text.back() == '.' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

} // namespace

std::string cleanFolderTitle(const std::string& title) {
    return WithoutTrailingDotsAndSpaces(WithoutControls(title));
}

std::string cleanFileName(const std::string& name) {
    const std::string kept = WithoutControls(name);
    if (!IsPhotoName(kept)) {
        return WithoutTrailingDotsAndSpaces(kept);
    }
    const std::size_t stem = kept.size() - kPhotoExtensionLength;
    return WithoutTrailingDotsAndSpaces(kept.substr(0, stem)) + kept.substr(stem);
}
