#include "tests/test_support.h"

#include "platform/make_directories.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

// Nanoseconds the calling thread has run and waited for a core, from the scheduler's statistics.
std::int64_t BusyNanoseconds() {
    std::ifstream statistics("/proc/thread-self/schedstat");
    std::int64_t running = 0;
    std::int64_t waiting = 0;
    statistics >> running >> waiting;
    return statistics ? running + waiting : 0;
}

} // namespace

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tessaro-test-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    if (made == nullptr) {
        ADD_FAILURE() << "mkdtemp failed";
        return;
    }
    path_ = std::string(made) + "/";
}

TempDir::~TempDir() {
    if (path_.empty()) {
        return;
    }
    std::error_code error;
    // Tests make folders unreadable on purpose; give them back before removing.
    for (auto it = std::filesystem::recursive_directory_iterator(
             path_, std::filesystem::directory_options::skip_permission_denied, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (!it->is_symlink()) {
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, error);
        }
    }
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(path_, error);
}

void WriteFile(const std::string& path, const std::string& bytes) {
    ASSERT_EQ(MakeDirectories(path), 1) << path;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    ASSERT_TRUE(out) << path;
    out << bytes;
    ASSERT_TRUE(out.good()) << path;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string TestDataDir() {
    return TESSARO_TEST_DATA_DIR;
}

std::set<std::string> PathsBelow(const std::string& root) {
    std::set<std::string> paths;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const std::string relative = std::filesystem::relative(entry.path(), root).string();
        paths.insert(entry.is_directory() ? relative + "/" : relative);
    }
    return paths;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

double SleepClock() {
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now().time_since_epoch();
    return wall.count() - static_cast<double>(BusyNanoseconds()) * 1e-9;
}
