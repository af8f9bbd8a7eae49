#include "platform/same_contents.h"

#include "platform/descriptor.h"
#include "platform/file_system_seam.h"
#include "platform/open_for_reading.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool RegularFile(int fd, struct stat& status) {
    return fd >= 0 && fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
}

// Fills `buffer` as far as the file goes; the number of bytes read, or -1.
ssize_t ReadFull(int fd, std::vector<char>& buffer) {
    std::size_t got = 0;
    while (got < buffer.size()) {
        const ssize_t n = read(fd, buffer.data() + got, buffer.size() - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return -1;
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(got);
}

} // namespace

bool SameContents(const std::string& source, const PathAt& taken) {
    const Descriptor a(OpenForReading(source));
    const Descriptor b(OpenTakenName(taken));
    struct stat statusA {};
    struct stat statusB {};
    if (!RegularFile(a.get(), statusA) || !RegularFile(b.get(), statusB) ||
        statusA.st_size != statusB.st_size) {
        return false;
    }
    if (statusA.st_dev == statusB.st_dev && statusA.st_ino == statusB.st_ino) {
        return true;
    }
    std::vector<char> bytesA(1 << 18);
    std::vector<char> bytesB(bytesA.size());
    for (;;) {
        const ssize_t gotA = ReadFull(a.get(), bytesA);
        const ssize_t gotB = ReadFull(b.get(), bytesB);
        if (gotA < 0 || gotA != gotB || std::memcmp(bytesA.data(), bytesB.data(), gotA) != 0) {
            return false;
        }
        if (gotA == 0) {
            return true;
        }
    }
}
