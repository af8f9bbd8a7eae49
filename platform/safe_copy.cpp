#include "platform/safe_copy.h"

#include "platform/directory_entries.h"
#include "platform/open_for_reading.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr char kTemporaryPrefix[] = ".tessaro-copy-";

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

// A fresh hidden name, created exclusively and locked for as long as this copy lives, so that
// a later clean-up can tell a live temporary from a dead one.
int CreateTemporary(const std::string& folder, mode_t mode, std::string& name) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random()));
        name = folder + kTemporaryPrefix + suffix;
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            flock(fd, LOCK_EX | LOCK_NB);
            return fd;
        }
        if (errno != EEXIST) {
            return -1;
        }
    }
    return -1;
}

// In the kernel; sendfile where the file systems cannot copy ranges between them.
bool CopyBytes(int from, int to, off_t size) {
    off_t done = 0;
    bool ranges = true;
    while (done < size) {
        ssize_t copied = -1;
        if (ranges) {
            copied = copy_file_range(from, nullptr, to, nullptr, size - done, 0);
            if (copied < 0 &&
                (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
                ranges = false;
                continue;
            }
        } else {
            copied = sendfile(to, from, nullptr, size - done);
        }
        if (copied < 0 && errno == EINTR) {
            continue;
        }
        if (copied <= 0) {
            return false;
        }
        done += copied;
    }
    return true;
}

// Renames without replacing; where the file system cannot, a hard link does the same.
CopyOutcome LinkIntoPlace(const std::string& temporary, const std::string& target) {
    if (renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        return CopyOutcome::Copied;
    }
    if (errno == EEXIST) {
        return CopyOutcome::TargetExists;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return CopyOutcome::Failed;
    }
    if (link(temporary.c_str(), target.c_str()) == 0) {
        unlink(temporary.c_str());
        return CopyOutcome::Copied;
    }
    return errno == EEXIST ? CopyOutcome::TargetExists : CopyOutcome::Failed;
}

CopyOutcome CopyOpened(int source, const struct stat& status, const std::string& target) {
    std::string temporary;
    const Descriptor copy(CreateTemporary(FolderOf(target), status.st_mode & 0777, temporary));
    if (copy.get() < 0) {
        return CopyOutcome::Failed;
    }
    const struct timespec times[2] = {status.st_atim, status.st_mtim};
    CopyOutcome outcome = CopyOutcome::Failed;
    if (CopyBytes(source, copy.get(), status.st_size) && futimens(copy.get(), times) == 0) {
        outcome = LinkIntoPlace(temporary, target);
    }
    if (outcome != CopyOutcome::Copied) {
        unlink(temporary.c_str());
    }
    return outcome;
}

} // namespace

CopyOutcome CopyFileNoReplace(const std::string& source, const std::string& target) {
    struct stat existing {};
    if (lstat(target.c_str(), &existing) == 0) {
        return CopyOutcome::TargetExists;
    }
    const Descriptor from(OpenForReading(source));
    struct stat status {};
    if (from.get() < 0 || fstat(from.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return CopyOutcome::Failed;
    }
    return CopyOpened(from.get(), status, target);
}

// A live copy holds the lock on its temporary, in this process or another; a dead one does not.
void RemoveStaleCopies(const std::string& folder) {
    std::vector<std::string> temporaries;
    EnumerateDirectory(folder, [&](const DirectoryEntry& entry) {
        if (!entry.isDirectory && entry.name.rfind(kTemporaryPrefix, 0) == 0) {
            temporaries.push_back(entry.fullPath);
        }
    });
    for (const std::string& path : temporaries) {
        const Descriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
        if (fd.get() >= 0 && flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
            unlink(path.c_str());
        }
    }
}

bool SyncFileSystemOf(const std::string& path) {
    const Descriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_DIRECTORY));
    return fd.get() >= 0 && syncfs(fd.get()) == 0;
}
