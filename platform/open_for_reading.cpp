#include "platform/open_for_reading.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

int OpenForReading(const PathAt& path) {
    constexpr int kFlags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    const int fd = openat(path.base, path.path.c_str(), kFlags | O_NOATIME);
    // Only the owner may ask for O_NOATIME.
    return fd >= 0 || errno != EPERM ? fd : openat(path.base, path.path.c_str(), kFlags);
}

bool ReadFullyAt(int fd, std::uint64_t offset, std::uint8_t* into, std::size_t count) {
    while (count > 0) {
        const ssize_t got = pread(fd, into, count, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        into += got;
        offset += static_cast<std::uint64_t>(got);
        count -= static_cast<std::size_t>(got);
    }
    return true;
}
