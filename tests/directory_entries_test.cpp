#include "platform/directory_entries.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// fullPath -> isDirectory, or nothing when the folder cannot be read.
std::optional<std::map<std::string, bool>> Entries(const std::string& folder) {
    std::map<std::string, bool> entries;
    if (!EnumerateDirectory(folder, [&](const DirectoryEntry& entry) {
            EXPECT_EQ(entry.fullPath, folder + entry.name);
            entries[entry.fullPath] = entry.isDirectory;
        })) {
        EXPECT_TRUE(entries.empty());
        return std::nullopt;
    }
    return entries;
}

} // namespace

TEST(EnumerateDirectory, visitsEveryEntryButDotEntriesFollowingLinksToFolders) {
    TempDir dir;
    const std::string& d = dir.path();
    WriteFile(d + "IMG_0001.JPG", "x");
    WriteFile(d + "sub/name\xFF", "x");
    fs::create_directory_symlink(d + "sub", d + "toFolder");
    fs::create_symlink(d + "IMG_0001.JPG", d + "toFile");
    fs::create_symlink(d + "gone", d + "dangling");
    const std::map<std::string, bool> expected{{d + "IMG_0001.JPG", false},
                                               {d + "sub", true},
                                               {d + "toFolder", true},
                                               {d + "toFile", false},
                                               {d + "dangling", false}};
    EXPECT_EQ(Entries(d), expected);
    EXPECT_EQ(Entries(d + "sub/"), (std::map<std::string, bool>{{d + "sub/name\xFF", false}}));
}

TEST(EnumerateDirectory, returnsFalseWhenTheFolderIsMissingIsAFileOrIsUnreadable) {
    TempDir dir;
    WriteFile(dir.path() + "locked/inside", "x");
    EXPECT_EQ(Entries(dir.path() + "missing/"), std::nullopt);
    EXPECT_EQ(Entries(dir.path() + "locked/inside/"), std::nullopt);
    if (geteuid() != 0) { // root reads anything
        ASSERT_EQ(chmod((dir.path() + "locked").c_str(), 0), 0);
        EXPECT_EQ(Entries(dir.path() + "locked/"), std::nullopt);
    }
}

TEST(QueryFileIdentity, isTheSameThroughALinkAndDiffersBetweenFolders) {
    TempDir dir;
    ASSERT_TRUE(fs::create_directory(dir.path() + "a"));
    ASSERT_TRUE(fs::create_directory(dir.path() + "b"));
    fs::create_directory_symlink(dir.path() + "a", dir.path() + "link");
    FileIdentity a, b, link;
    ASSERT_TRUE(QueryFileIdentity(dir.path() + "a", a));
    ASSERT_TRUE(QueryFileIdentity(dir.path() + "b/", b));
    ASSERT_TRUE(QueryFileIdentity(dir.path() + "link", link));
    EXPECT_EQ(a, link);
    EXPECT_NE(a, b);
    EXPECT_FALSE(QueryFileIdentity(dir.path() + "missing", a));
}
