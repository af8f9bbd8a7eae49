#include "platform/folder_nesting.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

TEST(FolderNesting, tellsTheSameFolderOneInsideTheOtherEitherWayAndNeighbours) {
    TempDir dir;
    const std::string card = dir.path() + "card/";
    fs::create_directories(card + "DCIM");
    fs::create_directories(dir.path() + "card2");
    EXPECT_EQ(NestingOf(card, card), FolderNesting::Same);
    EXPECT_EQ(NestingOf(card, dir.path() + "card"), FolderNesting::Same) << "without its '/'";
    EXPECT_EQ(NestingOf(card, card + "DCIM/../"), FolderNesting::Same);
    EXPECT_EQ(NestingOf(card, card + "DCIM/"), FolderNesting::Inside);
    EXPECT_EQ(NestingOf(card, card + "sorted/new/"), FolderNesting::Inside) << "still to be made";
    EXPECT_EQ(NestingOf(card + "DCIM/", card), FolderNesting::Holds);
    EXPECT_EQ(NestingOf(card, "/"), FolderNesting::Holds);
    EXPECT_EQ(NestingOf(card, dir.path() + "card2/"), FolderNesting::Apart) << "a common prefix";
    EXPECT_EQ(NestingOf(card + "DCIM/", dir.path() + "card2/"), FolderNesting::Apart);
}

TEST(FolderNesting, followsLinksIntoTheSource) {
    TempDir dir;
    const std::string card = dir.path() + "card/";
    fs::create_directories(card + "DCIM");
    fs::create_directory_symlink(card + "DCIM", dir.path() + "photos");
    fs::create_directory_symlink(card, dir.path() + "mounted");
    EXPECT_EQ(NestingOf(card, dir.path() + "photos/"), FolderNesting::Inside);
    EXPECT_EQ(NestingOf(card, dir.path() + "photos/sorted/"), FolderNesting::Inside);
    EXPECT_EQ(NestingOf(dir.path() + "mounted/", card), FolderNesting::Same);
    EXPECT_EQ(NestingOf(dir.path() + "photos/", dir.path() + "mounted/"), FolderNesting::Holds);
}
