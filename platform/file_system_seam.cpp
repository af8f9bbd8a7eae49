#include "platform/file_system_seam.h"

#include "platform/directory_entries.h"
#include "platform/open_for_reading.h"
#include "platform/path_at.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <ftw.h>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view kGoneAfter = "destination-gone-after=";
constexpr std::string_view kMovedAfter = "destination-moved-after=";

int CountAfter(std::string_view item, std::string_view prefix) {
    return std::atoi(std::string(item.substr(prefix.size())).c_str());
}

FileSystemQuirks FromEnvironment() {
    FileSystemQuirks quirks;
    const char* text = std::getenv("TESSARO_TEST_FILESYSTEM");
    std::string_view rest = text == nullptr ? "" : text;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        const std::string_view item = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? "" : rest.substr(comma + 1);
        if (item == "casefold") {
            quirks.caseInsensitive = true;
        } else if (item == "fuse") {
            quirks.fuse = true;
        } else if (item == "syncfs-fails") {
            quirks.syncFails = true;
        } else if (item.starts_with("reads-differ=")) {
            quirks.readsDifferFor = item.substr(std::string_view("reads-differ=").size());
        } else if (item.starts_with("unreadable=")) {
            quirks.unreadableFor = item.substr(std::string_view("unreadable=").size());
        } else if (item.starts_with("listing-fails=")) {
            quirks.listingFailsFor = item.substr(std::string_view("listing-fails=").size());
        } else if (item.starts_with("close-fails=")) {
            quirks.closeFailsFor = item.substr(std::string_view("close-fails=").size());
        } else if (item.starts_with(kGoneAfter)) {
            quirks.destinationGoneAfter = CountAfter(item, kGoneAfter);
        } else if (item.starts_with(kMovedAfter)) {
            quirks.destinationMovedAfter = CountAfter(item, kMovedAfter);
        } else if (item.starts_with("interrupt-at=")) {
            const std::string at(item.substr(std::string_view("interrupt-at=").size()));
            auto raised = std::make_shared<std::atomic<bool>>(false);
            quirks.beforeClose = [at, raised](const std::string& destination) {
                if (destination.find(at) != std::string::npos && !raised->exchange(true)) {
                    std::raise(SIGINT);
                }
            };
        }
    }
    return quirks;
}

std::mutex guard;

FileSystemQuirks& Current() {
    static FileSystemQuirks quirks = FromEnvironment();
    return quirks;
}

FileSystemQuirks Quirks() {
    std::lock_guard lock(guard);
    return Current();
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// The entry of the folder that a case-insensitive file system would take `path` for.
std::optional<PathAt> FoldedName(const PathAt& path) {
    const ParentAt parent(path);
    const std::string folder = FolderPart(path.path);
    const std::string name = path.path.substr(folder.size());
    std::optional<PathAt> found;
    if (!parent.ok()) {
        return found;
    }
    const PathAt listed = parent.folder();
    const PathAt opened{listed.base, listed.path.empty() ? "./" : listed.path};
    EnumerateDirectoryAt(opened, [&](const DirectoryEntry& entry) {
        if (!found && EqualIgnoringAsciiCase(entry.name, name)) {
            found = PathAt{path.base, folder + entry.name};
        }
    });
    return found;
}

bool Exists(const PathAt& path) {
    const ParentAt parent(path);
    const PathAt leaf = parent.leaf();
    struct stat status {};
    return parent.ok() && fstatat(leaf.base, leaf.path.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0;
}

// rm -rf: links are removed, never followed.
int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) {
    return remove(path);
}

void TakeDestinationAway(const std::string& destination, const FileSystemQuirks& quirks,
                         int photosDone) {
    std::string folder = destination;
    while (folder.size() > 1 && folder.ends_with('/')) {
        folder.pop_back();
    }
    if (photosDone == quirks.destinationGoneAfter) {
        nftw(folder.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
    }
    if (photosDone == quirks.destinationMovedAfter) {
        std::rename(folder.c_str(), (folder + ".moved").c_str());
        mkdir(folder.c_str(), 0777);
    }
}

int Failing(int error) {
    errno = error;
    return -1;
}

} // namespace

void SetFileSystemQuirks(const FileSystemQuirks& quirks) {
    std::lock_guard lock(guard);
    Current() = quirks;
}

bool NameTaken(const PathAt& path) {
    return Exists(path) || (Quirks().caseInsensitive && FoldedName(path));
}

int OpenTakenName(const PathAt& path) {
    std::optional<PathAt> folded;
    if (!Exists(path) && Quirks().caseInsensitive) {
        folded = FoldedName(path);
    }
    const ParentAt parent(folded ? *folded : path);
    return parent.ok() ? OpenForReading(parent.leaf()) : -1;
}

int RenameNoReplace(const PathAt& from, const PathAt& to) {
    const FileSystemQuirks quirks = Quirks();
    if (quirks.fuse) {
        return Failing(EINVAL);
    }
    if (quirks.caseInsensitive && NameTaken(to)) {
        return Failing(EEXIST);
    }
    return renameat2(from.base, from.path.c_str(), to.base, to.path.c_str(), RENAME_NOREPLACE);
}

int HardLink(const PathAt& from, const PathAt& to) {
    const FileSystemQuirks quirks = Quirks();
    if (quirks.fuse) {
        return Failing(EPERM);
    }
    if (quirks.caseInsensitive && NameTaken(to)) {
        return Failing(EEXIST);
    }
    return linkat(from.base, from.path.c_str(), to.base, to.path.c_str(), 0);
}

int RenameReplacing(const PathAt& from, const PathAt& to) {
    std::optional<PathAt> folded;
    if (Quirks().caseInsensitive) {
        folded = FoldedName(to);
    }
    const PathAt& target = folded ? *folded : to;
    return renameat(from.base, from.path.c_str(), target.base, target.path.c_str());
}

int CloseWritten(int fd, const std::string& destination) {
    const FileSystemQuirks quirks = Quirks();
    const std::string& failing = quirks.closeFailsFor;
    if (quirks.beforeClose) {
        quirks.beforeClose(destination);
    }
    const int closed = close(fd);
    if (closed == 0 && !failing.empty() && destination.find(failing) != std::string::npos) {
        return Failing(EIO);
    }
    return closed;
}

DIR* OpenListing(const std::string& folder, bool& failsPartWay) {
    const FileSystemQuirks quirks = Quirks();
    const auto holds = [&](const std::string& text) {
        return !text.empty() && folder.find(text) != std::string::npos;
    };
    failsPartWay = holds(quirks.listingFailsFor);
    if (holds(quirks.unreadableFor)) {
        errno = EACCES;
        return nullptr;
    }
    return opendir(folder.c_str());
}

int SyncFileSystem(int fd) {
    return Quirks().syncFails ? Failing(EIO) : syncfs(fd);
}

ssize_t ReadCopyBack(int fd, const std::string& copy, std::uint64_t offset, std::uint8_t* into,
                     std::size_t count) {
    ssize_t got = 0;
    do {
        got = pread(fd, into, count, static_cast<off_t>(offset));
    } while (got < 0 && errno == EINTR);
    const std::string& differing = Quirks().readsDifferFor;
    if (offset == 0 && got > 0 && !differing.empty() && copy.find(differing) != std::string::npos) {
        into[0] ^= 0xFF;
    }
    return got;
}

void PhotoDoneInto(const std::string& destination, int photosDone) {
    const FileSystemQuirks quirks = Quirks();
    if (photosDone == quirks.destinationGoneAfter || photosDone == quirks.destinationMovedAfter) {
        TakeDestinationAway(destination, quirks, photosDone);
    }
}
