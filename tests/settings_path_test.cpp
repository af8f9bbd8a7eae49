#include "platform/settings_path.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <pwd.h>
#include <unistd.h>

namespace {

// The tests change HOME and XDG_CONFIG_HOME; both come back as they were.
struct SettingsPath : ::testing::Test {
    std::optional<std::string> home = Read("HOME");
    std::optional<std::string> configHome = Read("XDG_CONFIG_HOME");

    static std::optional<std::string> Read(const char* name) {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    }
    static void Restore(const char* name, const std::optional<std::string>& value) {
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    void TearDown() override {
        Restore("HOME", home);
        Restore("XDG_CONFIG_HOME", configHome);
    }
};

} // namespace

TEST(ApplicationName, isTheBaseNameOfTheExecutablePath) {
    EXPECT_EQ(ApplicationName("/usr/bin/tessaro"), "tessaro");
    EXPECT_EQ(ApplicationName("tessaro-cli"), "tessaro-cli");
}

TEST_F(SettingsPath, usesXdgConfigHomeWithoutATrailingSlashElseDotConfigInHome) {
    setenv("HOME", "/home/someone", 1);
    setenv("XDG_CONFIG_HOME", "/srv/config/", 1);
    EXPECT_EQ(SettingsFilePath("tessaro"), "/srv/config/tessaro/tessaroInit.Ini");
    setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(UserConfigFolder(), "/home/someone/.config");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(UserConfigFolder(), "/home/someone/.config");
    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    EXPECT_EQ(UserConfigFolder(), "/home/someone/.config");
}

TEST_F(SettingsPath, fallsBackToThePasswordEntryWhenHomeIsUnset) {
    unsetenv("HOME");
    unsetenv("XDG_CONFIG_HOME");
    const passwd* entry = getpwuid(getuid());
    ASSERT_NE(entry, nullptr);
    const std::string home = entry->pw_dir;
    EXPECT_EQ(UserConfigFolder(), (home == "/" ? "" : home) + "/.config");
}
