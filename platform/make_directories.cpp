#include "platform/make_directories.h"

#include "platform/descriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsDirectory(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// Another process may create the same directory between the check and mkdir. A file in the way
// is reported as such, not as "File exists".
bool EnsureDirectory(const std::string& path) {
    if (IsDirectory(path) || mkdir(path.c_str(), 0777) == 0) {
        return true;
    }
    if (errno != EEXIST) {
        return false;
    }
    if (IsDirectory(path)) {
        return true;
    }
    errno = ENOTDIR;
    return false;
}

// One component at a time, each opened without following a link before the next is made in it:
// a link in the way is refused as a file in the way is, and nothing is made where it leads.
int MakeDirectoriesBelow(int base, const std::string& path) {
    const std::size_t last = path.rfind('/');
    int at = base;
    int opened = -1;
    for (std::size_t from = 0; last != std::string::npos && from <= last;) {
        const std::size_t end = path.find('/', from);
        const std::string component = path.substr(from, end - from);
        from = end + 1;
        if (component.empty()) {
            continue;
        }
        if (mkdirat(at, component.c_str(), 0777) != 0 && errno != EEXIST) {
            const Descriptor previous(opened);
            return 0;
        }
        const int next =
            openat(at, component.c_str(), O_RDONLY | O_CLOEXEC | O_DIRECTORY | O_NOFOLLOW);
        const int error = errno == ELOOP ? ENOTDIR : errno;
        if (opened >= 0) {
            close(opened);
        }
        if (next < 0) {
            errno = error;
            return 0;
        }
        at = opened = next;
    }
    if (opened >= 0) {
        close(opened);
    }
    return 1;
}

} // namespace

int MakeDirectories(const PathAt& where) {
    if (where.base != AT_FDCWD) {
        return MakeDirectoriesBelow(where.base, where.path);
    }
    const std::string& path = where.path;
    const std::size_t last = path.rfind('/');
    if (last == std::string::npos) {
        return 1;
    }
    for (std::size_t end = path.find('/', 1); end != std::string::npos && end <= last;
         end = path.find('/', end + 1)) {
        // An empty component ("a//b") names the directory already handled.
        if (path[end - 1] != '/' && !EnsureDirectory(path.substr(0, end))) {
            return 0;
        }
    }
    return 1;
}
