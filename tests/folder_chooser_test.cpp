#include "tests/test_support.h"
#include "ui/folder_chooser.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(FolderChooser, handsFoldersOnWithExactlyOneTrailingSlash) {
    EXPECT_EQ(WithTrailingSlash("/media/card"), "/media/card/");
    EXPECT_EQ(WithTrailingSlash("/media/card/"), "/media/card/");
    EXPECT_EQ(WithTrailingSlash("/"), "/");
}

TEST(FolderChooser, takesPreparedAnswersInTurnAndAnEmptyLineAsACancel) {
    TempDir dir;
    WriteFile(dir.path() + "answers", "/media/card\n\n/srv/photos/\n");
    setenv("TESSARO_FOLDER_ANSWERS", (dir.path() + "answers").c_str(), 1);
    EXPECT_EQ(BrowseFolder(nullptr, "/start/", "title"), "/media/card/");
    EXPECT_EQ(BrowseFolder(nullptr, "/start/", "title"), std::nullopt);
    EXPECT_EQ(BrowseFolder(nullptr, "/start/", "title"), "/srv/photos/");
    EXPECT_EQ(BrowseFolder(nullptr, "/start/", "title"), std::nullopt) << "no answer left";
    unsetenv("TESSARO_FOLDER_ANSWERS");
}
