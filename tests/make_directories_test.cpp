#include "platform/make_directories.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(MakeDirectories, createsEveryFolderBeforeTheLastSlashButNotTheFileName) {
    TempDir dir;
    EXPECT_EQ(MakeDirectories(dir.path() + "a/b/file.ini"), 1);
    EXPECT_TRUE(fs::is_directory(dir.path() + "a/b"));
    EXPECT_FALSE(fs::exists(dir.path() + "a/b/file.ini"));
    EXPECT_EQ(MakeDirectories(dir.path() + "a/b/file.ini"), 1) << "all already there";
    EXPECT_EQ(MakeDirectories(dir.path() + "x//y/"), 1);
    EXPECT_TRUE(fs::is_directory(dir.path() + "x/y"));
    EXPECT_EQ(MakeDirectories("/"), 1);
}

TEST(MakeDirectories, createsRelativePathsBelowTheCurrentFolder) {
    TempDir dir;
    const fs::path previous = fs::current_path();
    fs::current_path(dir.path());
    const int result = MakeDirectories("rel/sub/");
    fs::current_path(previous);
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(fs::is_directory(dir.path() + "rel/sub"));
}

TEST(MakeDirectories, failsWhenAComponentIsAFileOrCannotBeCreated) {
    TempDir dir;
    WriteFile(dir.path() + "plain", "x");
    EXPECT_EQ(MakeDirectories(dir.path() + "plain/sub/file"), 0);
    EXPECT_EQ(MakeDirectories(dir.path() + "plain/"), 0);
    EXPECT_EQ(errno, ENOTDIR) << "what the user is told, not EEXIST";
    if (geteuid() != 0) { // root may write anywhere
        ASSERT_EQ(mkdir((dir.path() + "locked").c_str(), 0555), 0);
        EXPECT_EQ(MakeDirectories(dir.path() + "locked/sub/"), 0);
    }
}
