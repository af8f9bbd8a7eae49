#include "platform/directory_entries.h"

#include "platform/file_system_seam.h"
#include "platform/path_at.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
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
void TellKind(DIR* dir, const dirent& next, DirectoryEntry& entry) {
    entry.isDirectory = next.d_type == DT_DIR;
    entry.isLink = next.d_type == DT_LNK;
    if (next.d_type != DT_LNK && next.d_type != DT_UNKNOWN) {
        return;
    }
    struct stat status {};
    if (next.d_type == DT_UNKNOWN) {
        entry.isLink = fstatat(dirfd(dir), next.d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
                       S_ISLNK(status.st_mode);
    }
    entry.isDirectory =
        fstatat(dirfd(dir), next.d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
}

// 0 when every entry was read, else the errno of the failed open or read. A listing that the
// seam fails part way gives EIO after its first entry.
int List(DIR* opened, const std::string& folder, bool failsPartWay,
         const std::function<void(const DirectoryEntry&)>& visit) {
    const std::unique_ptr<DIR, DirCloser> dir(opened);
    if (!dir) {
        return errno;
    }
    DirectoryEntry entry;
    bool visited = false;
    for (;;) {
        if (failsPartWay && visited) {
            return EIO;
        }
        errno = 0;
        const dirent* next = readdir(dir.get());
        if (next == nullptr) {
            return errno;
        }
        if (IsDotOrDotDot(next->d_name)) {
            continue;
        }
        entry.name = next->d_name;
        entry.fullPath = folder + entry.name;
        TellKind(dir.get(), *next, entry);
        visit(entry);
        visited = true;
    }
}

} // namespace

bool EnumerateDirectory(const std::string& folder,
                        const std::function<void(const DirectoryEntry&)>& visit) {
    return ListDirectory(folder, visit) == 0;
}

int ListDirectory(const std::string& folder,
                  const std::function<void(const DirectoryEntry&)>& visit) {
    bool failsPartWay = false;
    DIR* dir = OpenListing(folder, failsPartWay);
    return List(dir, folder, failsPartWay, visit);
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
    return List(dir, folder.path, false, visit) == 0;
}

int FolderReadError(const std::string& folder) {
    bool failsPartWay = false;
    const std::unique_ptr<DIR, DirCloser> dir(OpenListing(folder, failsPartWay));
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
