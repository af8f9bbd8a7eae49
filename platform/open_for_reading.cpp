#include "platform/open_for_reading.h"

#include <cerrno>
#include <fcntl.h>

int OpenForReading(const std::string& path) {
    constexpr int kFlags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    const int fd = open(path.c_str(), kFlags | O_NOATIME);
    // Only the owner may ask for O_NOATIME.
    return fd >= 0 || errno != EPERM ? fd : open(path.c_str(), kFlags);
}
