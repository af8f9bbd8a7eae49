#include "platform/safe_copy.h"

#include "platform/descriptor.h"
#include "platform/file_system_seam.h"
#include "platform/open_for_reading.h"
#include "platform/temporary_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// In the kernel; sendfile where the file systems cannot copy ranges between them. From the
// start of the source whatever was read of it before: a copy that finds its name taken is made
// again from the same descriptor under the next one.
bool CopyBytes(int from, int to, off_t size) {
    off_t done = 0;
    bool ranges = true;
    while (done < size) {
        ssize_t copied = -1;
        off_t at = done;
        if (ranges) {
            copied = copy_file_range(from, &at, to, nullptr, size - done, 0);
            if (copied < 0 &&
                (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
                ranges = false;
                continue;
            }
        } else {
            copied = sendfile(to, from, &at, size - done);
        }
        if (copied < 0 && errno == EINTR) {
            continue;
        }
        if (copied == 0) {
            errno = EIO; // the source ended before its size: it changed under us
        }
        if (copied <= 0) {
            return false;
        }
        done += copied;
    }
    return true;
}

bool Unsupported(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EPERM;
}

// Renames without replacing; where the file system cannot, a hard link does the same.
CopyOutcome LinkIntoPlace(const PathAt& temporary, const PathAt& target) {
    if (RenameNoReplace(temporary, target) == 0) {
        return CopyOutcome::Copied;
    }
    if (errno == EEXIST) {
        return CopyOutcome::TargetExists;
    }
    if (!Unsupported(errno)) {
        return CopyOutcome::Failed;
    }
    if (HardLink(temporary, target) == 0) {
        unlinkat(temporary.base, temporary.path.c_str(), 0);
        return CopyOutcome::Copied;
    }
    if (errno == EEXIST) {
        return CopyOutcome::TargetExists;
    }
    if (!Unsupported(errno)) {
        return CopyOutcome::Failed;
    }
    // FUSE file systems such as exFAT offer neither. A rename that looks first leaves a window
    // of a few microseconds in which another program could create this very name in one of our
    // titled folders and lose it: a risk we take there rather than copy nothing at all.
    if (NameTaken(target)) {
        return CopyOutcome::TargetExists;
    }
    return RenameReplacing(temporary, target) == 0 ? CopyOutcome::Copied : CopyOutcome::Failed;
}

CopyOutcome CopyOpened(int source, const struct stat& status, const PathAt& target) {
    const ParentAt parent(target);
    if (!parent.ok()) {
        return CopyOutcome::Failed;
    }
    TemporaryFile copy(parent.folder(), status.st_mode & 0777);
    if (!copy.ok()) {
        return CopyOutcome::Failed;
    }
    const struct timespec times[2] = {status.st_atim, status.st_mtim};
    if (!CopyBytes(source, copy.fd(), status.st_size) || futimens(copy.fd(), times) != 0 ||
        !copy.finishWriting(target.path)) {
        return CopyOutcome::Failed;
    }
    const CopyOutcome outcome = LinkIntoPlace(copy.at(), parent.leaf());
    if (outcome == CopyOutcome::Copied) {
        copy.placed();
    }
    return outcome;
}

} // namespace

int OpenCopySource(const std::string& source, struct stat& status) {
    const int fd = OpenForReading(source);
    if (fd < 0) {
        return -1;
    }
    if (fstat(fd, &status) != 0) {
        const Descriptor unusable(fd);
        return -1;
    }
    if (!S_ISREG(status.st_mode)) {
        close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

CopyOutcome CopyOpenedNoReplace(int source, const struct stat& status, const PathAt& target) {
    return NameTaken(target) ? CopyOutcome::TargetExists : CopyOpened(source, status, target);
}

CopyOutcome CopyFileNoReplace(const std::string& source, const PathAt& target) {
    if (NameTaken(target)) {
        return CopyOutcome::TargetExists;
    }
    struct stat status {};
    const Descriptor from(OpenCopySource(source, status));
    return from.get() < 0 ? CopyOutcome::Failed : CopyOpened(from.get(), status, target);
}

namespace {

int OpenFolder(const std::string& folder) {
    return open(folder.c_str(), O_RDONLY | O_CLOEXEC | O_DIRECTORY);
}

} // namespace

FileSystemSync::FileSystemSync(const std::string& folder)
    : folder_(folder), fd_(OpenFolder(folder)) {}

FileSystemSync::FileSystemSync(int folder) : fd_(fcntl(folder, F_DUPFD_CLOEXEC, 0)) {}

FileSystemSync::~FileSystemSync() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

bool FileSystemSync::sync() {
    // A folder made after construction: watched from now on, which is the best there is.
    if (fd_ < 0 && !folder_.empty()) {
        fd_ = OpenFolder(folder_);
    }
    return fd_ >= 0 && SyncFileSystem(fd_) == 0;
}
