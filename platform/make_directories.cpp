#include "platform/make_directories.h"

#include <cerrno>
#include <sys/stat.h>

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

} // namespace

int MakeDirectories(const std::string& path) {
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
