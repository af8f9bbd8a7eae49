#include "platform/path_at.h"

#include "platform/descriptor.h"

#include <cerrno>
#include <linux/openat2.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

constexpr int kFolderFlags = O_RDONLY | O_CLOEXEC | O_DIRECTORY;

int OpenComponentwise(int base, const std::string& folder) {
    int at = base;
    int opened = -1;
    std::size_t from = 0;
    while (from < folder.size()) {
        std::size_t end = folder.find('/', from);
        end = end == std::string::npos ? folder.size() : end;
        const std::string component = folder.substr(from, end - from);
        from = end + 1;
        if (component.empty()) {
            continue;
        }
        const int next = openat(at, component.c_str(), kFolderFlags | O_NOFOLLOW);
        if (opened >= 0) {
            const Descriptor previous(opened); // closed keeping errno
        }
        if (next < 0) {
            return -1;
        }
        at = opened = next;
    }
    return opened >= 0 ? opened : openat(base, ".", kFolderFlags);
}

} // namespace

int OpenFolderBeneath(int base, const std::string& folder) {
    if (base == AT_FDCWD) {
        return open(folder.empty() ? "." : folder.c_str(), kFolderFlags);
    }
    if (folder.empty()) {
        return openat(base, ".", kFolderFlags);
    }
    open_how how{};
    how.flags = kFolderFlags;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
    const long fd = syscall(SYS_openat2, base, folder.c_str(), &how, sizeof how);
    if (fd >= 0 || (errno != ENOSYS && errno != EPERM)) {
        return static_cast<int>(fd);
    }
    return OpenComponentwise(base, folder);
}

std::string FolderPart(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

ParentAt::ParentAt(const PathAt& path) {
    if (path.base == AT_FDCWD) {
        name_ = path.path;
        prefix_ = FolderPart(path.path);
        return;
    }
    const std::string folder = FolderPart(path.path);
    name_ = path.path.substr(folder.size());
    if (folder.empty()) {
        fd_ = path.base;
        return;
    }
    fd_ = OpenFolderBeneath(path.base, folder);
    owned_ = fd_ >= 0;
}

ParentAt::~ParentAt() {
    if (owned_) {
        const Descriptor folder(fd_);
    }
}

int RemoveFileAt(const PathAt& path) {
    const ParentAt parent(path);
    if (!parent.ok()) {
        return -1;
    }
    const PathAt leaf = parent.leaf();
    return unlinkat(leaf.base, leaf.path.c_str(), 0);
}
