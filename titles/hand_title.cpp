#include "titles/hand_title.h"

#include "catalogue/folder_scan.h"
#include "titles/clean_title.h"

namespace {

constexpr char kDefaultExtension[] = ".JPG";

// The extension of the photo's source file as it is spelt there (.JPG, .jpg, .Jpg).
std::string OwnExtension(const QELFileInfo& photo) {
    for (const std::string* name : {&photo.orgTitleFileName, &photo.name}) {
        if (IsPhotoName(*name)) {
            return name->substr(name->size() - kPhotoExtensionLength);
        }
    }
    return kDefaultExtension;
}

} // namespace

std::string handTitle(const QELFileInfo& entry, const std::string& typed) {
    if (entry.isFolder != 0) {
        return cleanFolderTitle(typed);
    }
    std::string name = cleanFileName(typed);
    if (!IsPhotoName(name)) {
        name += OwnExtension(entry);
    }
    return name.size() > kPhotoExtensionLength ? name : "";
}

void setHandTitle(QELFileInfo& entry, const std::string& typed) {
    const auto lock = LockRecord(entry);
    entry.handTitle = handTitle(entry, typed);
}

void dropHandTitles(CManageQELFileInfo& catalogue) {
    for (const auto& entry : catalogue.results) {
        const auto lock = LockRecord(*entry);
        entry->handTitle.clear();
    }
}
