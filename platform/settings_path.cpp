#include "platform/settings_path.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// HOME may be unset under service managers; the password entry still knows the folder.
std::string PasswordHome() {
    const long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr) {
        return "";
    }
    return found->pw_dir;
}

// Keeps "/x/" from turning into "/x//tessaro".
std::string WithoutTrailingSlashes(std::string folder) {
    while (folder.ends_with('/')) {
        folder.pop_back();
    }
    return folder;
}

std::string HomeFolder() {
    const std::string home = Environment("HOME");
    return WithoutTrailingSlashes(home.empty() ? PasswordHome() : home);
}

} // namespace

std::string ApplicationName(const std::string& executablePath) {
    const std::size_t slash = executablePath.rfind('/');
    return slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
}

std::string UserConfigFolder() {
    // Relative paths are invalid there and are ignored, as other desktop programs do.
    const std::string configHome = Environment("XDG_CONFIG_HOME");
    return configHome.starts_with('/') ? WithoutTrailingSlashes(configHome)
                                       : HomeFolder() + "/.config";
}

std::string UserCacheFolder() {
    const std::string cacheHome = Environment("XDG_CACHE_HOME");
    return cacheHome.starts_with('/') ? WithoutTrailingSlashes(cacheHome)
                                      : HomeFolder() + "/.cache";
}

std::string SettingsFilePath(const std::string& applicationName) {
    return UserConfigFolder() + "/" + applicationName + "/" + applicationName + "Init.Ini";
}
