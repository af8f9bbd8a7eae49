#include "ui/help_file.h"

#include <sys/stat.h>

namespace {

bool IsFile(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// The folder above the one that holds the executable, ending in '/'.
std::string PrefixOf(const std::string& executablePath) {
    const std::size_t bin = executablePath.rfind('/');
    if (bin == std::string::npos || bin == 0) {
        return "";
    }
    const std::size_t prefix = executablePath.rfind('/', bin - 1);
    return prefix == std::string::npos ? "" : executablePath.substr(0, prefix + 1);
}

} // namespace

std::string FindHelpFile(const std::string& executablePath) {
    constexpr char kName[] = "ReadMe.txt";
    if (IsFile(kName)) {
        return std::string("./") + kName;
    }
    const std::string prefix = PrefixOf(executablePath);
    const std::string installed = prefix + "share/tessaro/" + kName;
    return !prefix.empty() && IsFile(installed) ? installed : "";
}
