#include "platform/read_back.h"

#include "platform/descriptor.h"
#include "platform/file_system_seam.h"
#include "platform/open_for_reading.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// Large enough that a card reader and a USB disk stream at their full rate.
constexpr std::size_t kChunkBytes = std::size_t{8} << 20;
// Direct reads want buffer, offset and length in whole blocks of the device; a page is one or
// more of them on the devices in use.
constexpr std::size_t kBlockBytes = 4096;

bool RegularFile(int fd, struct stat& status) {
    if (fd < 0 || fstat(fd, &status) != 0) {
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        errno = EINVAL;
        return false;
    }
    return true;
}

void DropPages(int fd) {
    posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
}

// Direct reads skip the page cache and, here, run at the device's full rate where buffered reads
// reached a quarter of it. File systems without them (tmpfs, some FUSE mounts) refuse the flag.
int OpenCopy(const PathAt& copy, bool& direct) {
    constexpr int kFlags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    const ParentAt parent(copy);
    if (!parent.ok()) {
        return -1;
    }
    const PathAt leaf = parent.leaf();
    const int fd = openat(leaf.base, leaf.path.c_str(), kFlags | O_DIRECT);
    direct = fd >= 0;
    return fd >= 0 || errno != EINVAL ? fd : openat(leaf.base, leaf.path.c_str(), kFlags);
}

// The rest of the chunk through the page cache, its pages dropped first so that they come
// from the device all the same.
void StopDirect(int fd, bool& direct) {
    direct = false;
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_DIRECT);
    DropPages(fd);
}

bool ReadCopyChunk(int fd, bool& direct, const std::string& copy, std::uint64_t at,
                   std::uint8_t* into, std::size_t count) {
    std::size_t got = 0;
    while (got < count) {
        std::size_t ask = count - got;
        if (direct) {
            ask = (ask + kBlockBytes - 1) / kBlockBytes * kBlockBytes;
        }
        const ssize_t n = ReadCopyBack(fd, copy, at + got, into + got, ask);
        if (n < 0 && errno == EINVAL && direct) { // blocks larger than a page, or no direct reads
            StopDirect(fd, direct);
            continue;
        }
        if (n <= 0) {
            return false;
        }
        got += static_cast<std::size_t>(n);
    }
    return true;
}

// A file that ends before its size changed under us: that is a failed read, not a difference.
ReadBackResult ReadFailed() {
    if (errno == 0) {
        errno = EIO;
    }
    return ReadBackResult::Failed;
}

} // namespace

void CopyReadBack::Free::operator()(std::uint8_t* bytes) const {
    std::free(bytes);
}

ReadBackResult CopyReadBack::compare(const std::string& source, const PathAt& copy) {
    bool direct = false;
    const Descriptor from(OpenForReading(source));
    const Descriptor back(OpenCopy(copy, direct));
    struct stat sourceStatus {};
    struct stat copyStatus {};
    if (!RegularFile(from.get(), sourceStatus) || !RegularFile(back.get(), copyStatus)) {
        return ReadBackResult::Failed;
    }
    if (sourceStatus.st_size != copyStatus.st_size) {
        return ReadBackResult::Different;
    }
    if (!source_) {
        source_.reset(static_cast<std::uint8_t*>(std::aligned_alloc(kBlockBytes, kChunkBytes)));
        copy_.reset(static_cast<std::uint8_t*>(std::aligned_alloc(kBlockBytes, kChunkBytes)));
    }
    if (!source_ || !copy_) {
        errno = ENOMEM;
        return ReadBackResult::Failed;
    }
    if (!direct) {
        DropPages(back.get());
    }
    const auto size = static_cast<std::uint64_t>(sourceStatus.st_size);
    ReadBackResult result = ReadBackResult::Equal;
    for (std::uint64_t at = 0; at < size && result == ReadBackResult::Equal; at += kChunkBytes) {
        const auto count =
            static_cast<std::size_t>(std::min<std::uint64_t>(kChunkBytes, size - at));
        errno = 0;
        if (!ReadFullyAt(from.get(), at, source_.get(), count) ||
            !ReadCopyChunk(back.get(), direct, copy.path, at, copy_.get(), count)) {
            result = ReadFailed();
        } else if (std::memcmp(source_.get(), copy_.get(), count) != 0) {
            result = ReadBackResult::Different;
        }
    }
    // Read only to check: the pages the copy left behind are no use to anyone.
    const int error = errno;
    DropPages(back.get());
    errno = error;
    return result;
}
