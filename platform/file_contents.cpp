#include "platform/file_contents.h"

#include "platform/open_for_reading.h"
#include "platform/temporary_file.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

bool ReadAll(int fd, std::string& bytes) {
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return got == 0;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

// Renaming over a symbolic link would replace the link itself, not the file it names.
std::string ResolveLink(const std::string& path) {
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
        return path;
    }
    std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr), &std::free);
    return real ? std::string(real.get()) : path;
}

// Only a regular file's own mode: a link's target is no business of the file replacing it.
void KeepMode(int fd, const PathAt& target) {
    struct stat status {};
    if (fstatat(target.base, target.path.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(status.st_mode)) {
        fchmod(fd, status.st_mode & 07777);
    }
}

} // namespace

std::optional<std::string> ReadWholeFile(const PathAt& path) {
    // Non-blocking and regular files only: a FIFO planted as a `.hidden` on a card must not
    // hold the folder walk for ever.
    const ParentAt parent(path);
    const int fd = parent.ok() ? OpenForReading(parent.leaf()) : -1;
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(fd);
        errno = EINVAL;
        return std::nullopt;
    }
    std::string bytes;
    // One allocation for a photo read whole, not one per chunk.
    bytes.reserve(static_cast<std::size_t>(status.st_size));
    const bool complete = ReadAll(fd, bytes);
    const int readError = errno;
    close(fd);
    if (!complete) {
        errno = readError;
        return std::nullopt;
    }
    return bytes;
}

bool ReplaceFileAtomically(const PathAt& path, const std::string& bytes, Durability durability,
                           LinkAtPath link) {
    const PathAt target = link == LinkAtPath::Followed && path.base == AT_FDCWD
                              ? PathAt(ResolveLink(path.path))
                              : path;
    const ParentAt parent(target);
    if (!parent.ok()) {
        return false;
    }
    const PathAt leaf = parent.leaf();
    // Mode 0666, so that the umask applies as it would to the file itself.
    TemporaryFile temporary(parent.folder(), 0666);
    if (!temporary.ok()) {
        return false;
    }
    KeepMode(temporary.fd(), leaf);
    const PathAt written = temporary.at();
    if (!WriteAll(temporary.fd(), bytes) ||
        (durability == Durability::Synced && fsync(temporary.fd()) != 0) ||
        !temporary.finishWriting(target.path) ||
        renameat(written.base, written.path.c_str(), leaf.base, leaf.path.c_str()) != 0) {
        return false;
    }
    temporary.placed();
    return true;
}
