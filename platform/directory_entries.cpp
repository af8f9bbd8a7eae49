#include "platform/directory_entries.h"

#include "platform/path_at.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

bool IsDotOrDotDot(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

// d_type answers without a system call on most file systems; links and file systems that
// leave it unknown need a stat, which follows the link.
bool EntryIsDirectory(DIR* dir, const dirent& entry) {
    if (entry.d_type == DT_DIR || entry.d_type == DT_REG) {
        return entry.d_type == DT_DIR;
    }
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) {
        return false;
    }
    struct stat status {};
    return fstatat(dirfd(dir), entry.d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
}

bool Enumerate(DIR* opened, const std::string& folder,
               const std::function<void(const DirectoryEntry&)>& visit) {
    const std::unique_ptr<DIR, DirCloser> dir(opened);
    if (!dir) {
        return false;
    }
    DirectoryEntry entry;
    for (;;) {
        errno = 0;
        const dirent* next = readdir(dir.get());
        if (next == nullptr) {
            return errno == 0;
        }
        if (IsDotOrDotDot(next->d_name)) {
            continue;
        }
        entry.name = next->d_name;
        entry.fullPath = folder + entry.name;
        entry.isDirectory = EntryIsDirectory(dir.get(), *next);
        visit(entry);
    }
}

} // namespace

bool EnumerateDirectory(const std::string& folder,
                        const std::function<void(const DirectoryEntry&)>& visit) {
    return Enumerate(opendir(folder.c_str()), folder, visit);
}

bool EnumerateDirectoryAt(const PathAt& folder,
                          const std::function<void(const DirectoryEntry&)>& visit) {
    if (folder.base == AT_FDCWD) {
        return EnumerateDirectory(folder.path, visit);
    }
    const int fd = OpenFolderBeneath(folder.base, folder.path);
    DIR* dir = fd >= 0 ? fdopendir(fd) : nullptr;
    if (fd >= 0 && dir == nullptr) {
        close(fd);
    }
    return Enumerate(dir, folder.path, visit);
}

int FolderReadError(const std::string& folder) {
    const std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    return dir ? 0 : errno;
}

bool QueryFileIdentity(const std::string& path, FileIdentity& identity) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        return false;
    }
    identity.device = static_cast<std::uint64_t>(status.st_dev);
    identity.inode = static_cast<std::uint64_t>(status.st_ino);
    return true;
}
