#include "platform/file_system_seam.h"

#include "platform/directory_entries.h"
#include "platform/open_for_reading.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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
std::optional<std::string> FoldedName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "./" : path.substr(0, slash + 1);
    const std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    std::optional<std::string> found;
    EnumerateDirectory(folder, [&](const DirectoryEntry& entry) {
        if (!found && EqualIgnoringAsciiCase(entry.name, name)) {
            found = entry.fullPath;
        }
    });
    return found;
}

bool Exists(const std::string& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0;
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

bool NameTaken(const std::string& path) {
    return Exists(path) || (Quirks().caseInsensitive && FoldedName(path));
}

int OpenTakenName(const std::string& path) {
    if (!Exists(path) && Quirks().caseInsensitive) {
        if (const auto folded = FoldedName(path)) {
            return OpenForReading(*folded);
        }
    }
    return OpenForReading(path);
}

int RenameNoReplace(const std::string& from, const std::string& to) {
    const FileSystemQuirks quirks = Quirks();
    if (quirks.fuse) {
        return Failing(EINVAL);
    }
    if (quirks.caseInsensitive && NameTaken(to)) {
        return Failing(EEXIST);
    }
    return renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
}

int HardLink(const std::string& from, const std::string& to) {
    const FileSystemQuirks quirks = Quirks();
    if (quirks.fuse) {
        return Failing(EPERM);
    }
    if (quirks.caseInsensitive && NameTaken(to)) {
        return Failing(EEXIST);
    }
    return link(from.c_str(), to.c_str());
}

int RenameReplacing(const std::string& from, const std::string& to) {
    if (Quirks().caseInsensitive) {
        if (const auto folded = FoldedName(to)) {
            return std::rename(from.c_str(), folded->c_str());
        }
    }
    return std::rename(from.c_str(), to.c_str());
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
