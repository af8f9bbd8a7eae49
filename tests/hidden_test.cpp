#include "platform/hidden.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

namespace {

// Whether the file managers hide the last component of `path` (a trailing '/' ignored).
bool IsHiddenPath(std::string path) {
    while (path.size() > 1 && path.ends_with('/')) {
        path.pop_back();
    }
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return !name.empty() && HiddenNames(folder, {name}).hides(name);
}

} // namespace

TEST(IsHiddenPath, hidesDotNamesAndExactlyTheWholeLinesOfTheParentsHiddenFile) {
    TempDir dir;
    WriteFile(dir.path() + "a/.hidden", "TSFXML\r\nwith space \nTS1\xFFXML\nlast");
    EXPECT_TRUE(IsHiddenPath(dir.path() + ".cache/"));
    EXPECT_TRUE(IsHiddenPath(dir.path() + "a/TSFXML/"));
    EXPECT_TRUE(IsHiddenPath(dir.path() + "a/with space "));
    EXPECT_TRUE(IsHiddenPath(dir.path() + "a/TS1\xFFXML"));
    EXPECT_TRUE(IsHiddenPath(dir.path() + "a/last"));
    EXPECT_FALSE(IsHiddenPath(dir.path() + "a/with space"));
    EXPECT_FALSE(IsHiddenPath(dir.path() + "a/tsfxml"));
    EXPECT_FALSE(IsHiddenPath(dir.path() + "a/TSFXML/inner")) << "a list covers its folder only";
    EXPECT_FALSE(IsHiddenPath(dir.path() + "TSFXML"));
    EXPECT_FALSE(IsHiddenPath("/"));
}

TEST(AddHidden, createsTheListAddsEachNameOnceAndIsSeenAtOnce) {
    TempDir dir;
    EXPECT_FALSE(IsHiddenPath(dir.path() + "TS2XML"));
    ASSERT_TRUE(AddHidden(dir.path() + "TS2XML/"));
    ASSERT_TRUE(AddHidden(dir.path() + "TS2XML"));
    ASSERT_TRUE(AddHidden(dir.path() + "record\xE9.xml"));
    EXPECT_EQ(ReadFile(dir.path() + ".hidden"), "TS2XML\nrecord\xE9.xml\n");
    EXPECT_TRUE(IsHiddenPath(dir.path() + "TS2XML"));
    WriteFile(dir.path() + ".hidden", "other\n");
    EXPECT_FALSE(IsHiddenPath(dir.path() + "TS2XML"));
}

TEST(AddHidden, keepsTheExistingLinesAndEndsAnUnfinishedOne) {
    TempDir dir;
    WriteFile(dir.path() + ".hidden", "# kept\r\nold");
    ASSERT_TRUE(AddHidden(dir.path() + "new"));
    EXPECT_EQ(ReadFile(dir.path() + ".hidden"), "# kept\r\nold\nnew\n");
}

TEST(AddHidden, failsWhenTheParentFolderIsMissing) {
    TempDir dir;
    EXPECT_FALSE(AddHidden(dir.path() + "missing/TSFXML"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "missing"));
    EXPECT_FALSE(AddHidden("/"));
}

TEST(IsHiddenPath, neitherWaitsOnNorTrustsAHiddenFileThatIsAFifo) {
    TempDir dir;
    ASSERT_EQ(mkfifo((dir.path() + ".hidden").c_str(), 0600), 0);
    EXPECT_FALSE(IsHiddenPath(dir.path() + "photos"));
    EXPECT_TRUE(IsHiddenPath(dir.path() + ".thumbs"));
    EXPECT_FALSE(AddHidden(dir.path() + "photos"));
}

TEST(HiddenBatch, writesEachFolderListOnceWithTheNamesItLacked) {
    TempDir dir;
    WriteFile(dir.path() + "a/.hidden", "TSFXML\nold");
    std::filesystem::create_directories(dir.path() + "b/TS2XML");
    HiddenBatch batch;
    batch.add(dir.path() + "a/TSFXML");
    batch.add(dir.path() + "a/0905TSF.XML");
    batch.add(dir.path() + "b/TS2XML/");
    batch.add(dir.path() + "a/0906TSF.XML");
    EXPECT_TRUE(batch.flush().empty());
    EXPECT_EQ(ReadFile(dir.path() + "a/.hidden"), "TSFXML\nold\n0905TSF.XML\n0906TSF.XML\n");
    EXPECT_EQ(ReadFile(dir.path() + "b/.hidden"), "TS2XML\n");
    EXPECT_TRUE(IsHiddenPath(dir.path() + "a/0906TSF.XML"));
    batch.add(dir.path() + "a/two\nlines");
    batch.add(dir.path() + "missing/TSFXML");
    const auto unwritten = batch.flush();
    ASSERT_EQ(unwritten.size(), 2u);
    EXPECT_EQ(unwritten[0].list, dir.path() + "a/.hidden");
    EXPECT_EQ(unwritten[1].list, dir.path() + "missing/.hidden");
    EXPECT_EQ(unwritten[1].error, ENOENT);
    EXPECT_TRUE(batch.flush().empty());
}
