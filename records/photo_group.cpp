#include "records/photo_group.h"

#include "catalogue/folder_scan.h"
#include "platform/file_system_seam.h"
#include "platform/same_contents.h"
#include "records/path_component.h"
#include "records/record_paths.h"
#include "titles/numbered_name.h"

#include <algorithm>

namespace {

// How far a taken name is numbered before the photo counts as failed.
constexpr int kMostNumbers = 9999;

std::string Stem(const std::string& name) {
    return IsPhotoName(name) ? name.substr(0, name.size() - kPhotoExtensionLength) : name;
}

std::string FileName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

// ".CR3" of IMG_0001.CR3 beside IMG_0001.JPG, ".JPG.xmp" of IMG_0001.JPG.xmp: all the name
// holds past the photo's stem, as cameras and editors write it; a name not built on the stem
// keeps its last extension.
std::string Suffix(const std::string& companion, const std::string& photoName) {
    const std::string name = FileName(companion);
    const std::string stem = Stem(photoName);
    if (name.size() > stem.size() && name[stem.size()] == '.' &&
        SameIgnoringAsciiCase(std::string_view(name).substr(0, stem.size()), stem)) {
        return name.substr(stem.size());
    }
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? "." + name : name.substr(dot);
}

bool TakenByAnother(const std::string& source, const PathAt& target) {
    return NameTaken(target) && !SameContents(source, target);
}

} // namespace

PhotoGroup GroupOf(const QELFileInfo& photo) {
    PhotoGroup group;
    group.photo = photo.path;
    const std::string& cardName =
        photo.orgTitleFileName.empty() ? photo.name : photo.orgTitleFileName;
    for (const std::string& companion : photo.companions) {
        group.companions.push_back(companion);
        group.suffixes.push_back(Suffix(companion, cardName));
    }
    return group;
}

std::string CompanionName(const std::string& photoName, const std::string& suffix) {
    return PathComponent(Stem(photoName) + suffix, ComponentOf::Photo);
}

std::optional<StemChoice> ChooseStem(const DestinationRoot& root, const std::string& folder,
                                     const std::string& title, const PhotoGroup& group, int from) {
    for (int number = from; number <= kMostNumbers; ++number) {
        StemChoice choice{number, number == 0 ? title : NumberedName(title, number), false};
        const PathAt target = root.at(folder + choice.name);
        // Looked at before the photo's name: another run places a photo before its record, so a
        // record seen here means its photo is seen below, and the photo is not copied twice.
        const bool recorded = NameTaken(root.at(PhotoRecordPath(folder, choice.name)));
        if (NameTaken(target)) {
            if (SameContents(group.photo, target)) {
                choice.photoThere = true;
                return choice;
            }
            continue;
        }
        if (recorded) {
            continue;
        }
        bool free = true;
        for (std::size_t i = 0; free && i < group.companions.size(); ++i) {
            free = !TakenByAnother(group.companions[i],
                                   root.at(folder + CompanionName(choice.name, group.suffixes[i])));
        }
        if (free) {
            return choice;
        }
    }
    return std::nullopt;
}
