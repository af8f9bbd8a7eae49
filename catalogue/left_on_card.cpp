#include "catalogue/left_on_card.h"

#include "platform/ascii_case.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::string_view kVideos[] = {"MOV",  "MP4", "M4V", "AVI", "MTS", "M2TS", "MPG",
                                        "MPEG", "3GP", "3G2", "WMV", "MKV", "WEBM", "LRV",
                                        "INSV", "360", "MXF", "VOB", "FLV"};
constexpr std::string_view kRaws[] = {"CR2", "CR3", "CRW", "NEF", "NRW", "ARW", "SRF", "SR2",
                                      "RAF", "ORF", "RW2", "RWL", "DNG", "PEF", "SRW", "X3F",
                                      "3FR", "IIQ", "ERF", "KDC", "DCR", "MRW", "MOS", "GPR",
                                      "FFF", "MEF", "RAW", "CAP", "EIP", "BAY", "K25"};
constexpr std::string_view kPictures[] = {"HEIC", "HEIF", "HIF",  "PNG",  "GIF", "BMP",
                                          "TIF",  "TIFF", "WEBP", "AVIF", "JXL", "JPEG",
                                          "JPE",  "JFIF", "PSD",  "MPO",  "ICO", "SVG"};

std::string UpperExtension(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : AsciiUpper(name.substr(dot + 1));
}

template <std::size_t N>
bool Holds(const std::string_view (&extensions)[N], const std::string& extension) {
    return std::find(std::begin(extensions), std::end(extensions), extension) !=
           std::end(extensions);
}

} // namespace

LeftKind LeftKindOf(const std::string& name) {
    const std::string extension = UpperExtension(name);
    if (Holds(kVideos, extension)) {
        return LeftKind::Video;
    }
    if (Holds(kRaws, extension)) {
        return LeftKind::RawOnly;
    }
    if (Holds(kPictures, extension)) {
        return LeftKind::Picture;
    }
    return LeftKind::Other;
}

void LeftOnCard::add(LeftKind kind, const std::string& path) {
    paths[static_cast<std::size_t>(kind)].push_back(path);
}

const std::vector<std::string>& LeftOnCard::of(LeftKind kind) const {
    return paths[static_cast<std::size_t>(kind)];
}

bool LeftOnCard::empty() const {
    return std::all_of(paths.begin(), paths.end(),
                       [](const std::vector<std::string>& kind) { return kind.empty(); });
}

void LeftOnCard::clear() {
    for (std::vector<std::string>& kind : paths) {
        kind.clear();
    }
}
