#include "platform/file_contents.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(ReplaceFileAtomically, replacesTheContentKeepingTheModeAndLeavesNoTemporaryFile) {
    TempDir dir;
    const std::string path = dir.path() + "list";
    WriteFile(path, "old content that is longer");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(ReplaceFileAtomically(path, "new"));
    EXPECT_EQ(ReadFile(path), "new");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(ReplaceFileAtomically, writesThroughASymbolicLinkAndFailsInAMissingFolder) {
    TempDir dir;
    WriteFile(dir.path() + "real/settings", "old");
    fs::create_symlink(dir.path() + "real/settings", dir.path() + "link");
    ASSERT_TRUE(ReplaceFileAtomically(dir.path() + "link", "new"));
    EXPECT_TRUE(fs::is_symlink(dir.path() + "link"));
    EXPECT_EQ(ReadFile(dir.path() + "real/settings"), "new");
    EXPECT_FALSE(ReplaceFileAtomically(dir.path() + "missing/file", "x"));
    EXPECT_FALSE(ReadWholeFile(dir.path() + "missing/file"));
    EXPECT_EQ(errno, ENOENT) << "readers tell a missing file from an unreadable one by it";
}
