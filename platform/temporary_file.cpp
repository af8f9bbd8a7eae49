#include "platform/temporary_file.h"

#include "platform/directory_entries.h"
#include "platform/file_system_seam.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Short, so that a temporary fits in any folder its destination fits in.
std::string FreshName(const std::string& folder) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    char name[40];
    std::snprintf(name, sizeof name, ".tessaro-%016llx.tmp",
                  static_cast<unsigned long long>(random()));
    return folder + name;
}

// Ours: ".tessaro-….tmp", and ".tessaro-copy-…", the name copies had before.
bool IsTemporaryName(std::string_view name) {
    return name.starts_with(".tessaro-copy-") ||
           (name.starts_with(".tessaro-") && name.ends_with(".tmp"));
}

} // namespace

namespace {

// Another run cleaning up the folder may take a file just made, not locked yet, for one a killed
// run left, and remove it: the file is then given up for a new name. Where the file system has
// no locks, the file is kept as it is.
bool LockedInPlace(int fd) {
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        return errno != EWOULDBLOCK;
    }
    struct stat status {};
    return fstat(fd, &status) != 0 || status.st_nlink > 0;
}

} // namespace

TemporaryFile::TemporaryFile(const PathAt& folder, mode_t mode) : folder_(folder.base) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        path_ = FreshName(folder.path);
        writer_ = openat(folder_, path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (writer_ < 0 && errno != EEXIST) {
            return;
        }
        if (writer_ >= 0 && LockedInPlace(writer_)) {
            break;
        }
        if (writer_ >= 0) {
            close(writer_);
            writer_ = -1;
            errno = EEXIST;
        }
    }
    if (writer_ < 0) {
        return;
    }
    created_ = true;
    // A lock belongs to the open file, which the duplicate keeps open when the writer is closed.
    lock_ = fcntl(writer_, F_DUPFD_CLOEXEC, 0);
}

TemporaryFile::~TemporaryFile() {
    // Callers report why a write failed after this has cleaned up.
    const int error = errno;
    if (writer_ >= 0) {
        close(writer_);
    }
    if (created_ && !placed_) {
        unlinkat(folder_, path_.c_str(), 0);
    }
    if (lock_ >= 0) {
        close(lock_);
    }
    errno = error;
}

bool TemporaryFile::finishWriting(const std::string& destination) {
    const int fd = writer_;
    writer_ = -1;
    return CloseWritten(fd, destination) == 0;
}

void RemoveStaleTemporaries(const PathAt& folder) {
    std::vector<std::string> temporaries;
    EnumerateDirectoryAt(folder, [&](const DirectoryEntry& entry) {
        if (!entry.isDirectory && IsTemporaryName(entry.name)) {
            temporaries.push_back(entry.fullPath);
        }
    });
    for (const std::string& path : temporaries) {
        const ParentAt parent(PathAt{folder.base, path});
        const PathAt leaf = parent.leaf();
        const int fd = parent.ok() ? openat(leaf.base, leaf.path.c_str(),
                                            O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW)
                                   : -1;
        if (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0) {
            unlinkat(leaf.base, leaf.path.c_str(), 0);
        }
        if (fd >= 0) {
            close(fd);
        }
    }
}
