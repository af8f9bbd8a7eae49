#include "titles/renumber_equal_names.h"

#include "titles/numbered_name.h"

#include <map>
#include <set>
#include <utility>
#include <vector>

namespace {

constexpr char kExtension[] = ".JPG";

// Every ".JPG" of a name takes the number, as titles have always been numbered; names with
// another extension take it before their last one.
std::string Numbered(const std::string& name, int number) {
    if (!name.ends_with(kExtension)) {
        return NumberedName(name, number);
    }
    const std::string digits = std::to_string(number);
    return replaceExtension(name,
                            name == kExtension ? digits + kExtension : "-" + digits + kExtension);
}

void NumberFolder(const std::vector<QELFileInfo*>& photos) {
    std::set<std::string> taken;
    std::map<std::string, int> copies;
    for (const QELFileInfo* photo : photos) {
        taken.insert(photo->title);
        ++copies[photo->title];
    }
    std::map<std::string, int> next;
    std::set<std::string> typedKept;
    for (QELFileInfo* photo : photos) {
        const std::string name = photo->title;
        if (copies[name] < 2 && !IsBareExtension(name)) {
            continue;
        }
        // The user chose the name: the first photo titled so by hand keeps it, and any other
        // photo of that name is numbered around it.
        if (!photo->handTitle.empty() && name == photo->handTitle &&
            typedKept.insert(name).second) {
            continue;
        }
        int& number = next.try_emplace(name, 1).first->second;
        std::string numbered;
        do {
            numbered = Numbered(name, number++);
        } while (taken.contains(numbered));
        taken.insert(numbered);
        photo->title = numbered;
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
    std::map<std::pair<std::string, std::string>, std::vector<QELFileInfo*>> folders;
    std::string year;
    std::string day;
    for (const auto& entry : results) {
        if (!entry->isFolder) {
            folders[{year, day}].push_back(entry.get());
        } else if (entry->level == 0) {
            year = entry->title;
            day.clear();
        } else {
            day = entry->title;
        }
    }
    for (const auto& [folder, photos] : folders) {
        NumberFolder(photos);
    }
}
