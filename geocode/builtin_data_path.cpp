#include "geocode/builtin_data_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>

namespace {

bool IsFile(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// The folder above the one that holds the running program, ending in '/'.
std::string InstallPrefix() {
    std::array<char, 4096> buffer{};
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) {
        return "";
    }
    const std::string program(buffer.data(), static_cast<std::size_t>(length));
    const std::size_t folder = program.rfind('/');
    if (folder == std::string::npos || folder == 0) {
        return "";
    }
    const std::size_t prefix = program.rfind('/', folder - 1);
    return prefix == std::string::npos ? "" : program.substr(0, prefix + 1);
}

} // namespace

std::string builtinDataPath(const std::string& name) {
    if (const char* folder = std::getenv("TESSARO_DATA_DIR"); folder != nullptr) {
        const std::string path = std::string(folder) + "/" + name;
        return IsFile(path) ? path : "";
    }
    const std::string prefix = InstallPrefix();
    const std::string path = prefix + "share/tessaro/" + name;
    return !prefix.empty() && IsFile(path) ? path : "";
}
