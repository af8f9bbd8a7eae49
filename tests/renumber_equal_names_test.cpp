#include "titles/renumber_equal_names.h"

#include <gtest/gtest.h>

namespace {

// "/" stands for a folder entry, anything else is a photo title.
RecordList Results(const std::vector<std::string>& titles) {
    RecordList results;
    for (const std::string& title : titles) {
        auto entry = std::make_unique<QELFileInfo>();
        entry->isFolder = title == "/";
        entry->title = title == "/" ? "" : title;
        results.push_back(std::move(entry));
    }
    return results;
}

std::vector<std::string> Renumbered(const std::vector<std::string>& titles) {
    RecordList results = Results(titles);
    renumberEqualNames(results);
    std::vector<std::string> out;
    for (const auto& entry : results) {
        out.push_back(entry->isFolder ? "/" : entry->title);
    }
    return out;
}

using Titles = std::vector<std::string>;

} // namespace

TEST(RenumberEqualNames, numbersEqualTitlesWithinAFolderInListOrder) {
    EXPECT_EQ(Renumbered({"/", "A.JPG", "A.JPG", "A.JPG", "B.JPG"}),
              (Titles{"/", "A-1.JPG", "A-2.JPG", "A-3.JPG", "B.JPG"}));
    EXPECT_EQ(Renumbered({"/", "A.JPG", "B.JPG", "A.JPG"}),
              (Titles{"/", "A-1.JPG", "B.JPG", "A-2.JPG"}));
    EXPECT_EQ(Renumbered({"/", ".JPG", ".JPG", ".JPG"}), (Titles{"/", "1.JPG", "2.JPG", "3.JPG"}));
    EXPECT_EQ(Renumbered({"/", ".JPG", "/", ".JPG", "X.JPG"}),
              (Titles{"/", "1.JPG", "/", "1.JPG", "X.JPG"}));
}

TEST(RenumberEqualNames, leavesEqualTitlesInOtherFoldersAndLowerCaseExtensionsAlone) {
    EXPECT_EQ(Renumbered({"/", "A.JPG", "/", "A.JPG"}), (Titles{"/", "A.JPG", "/", "A.JPG"}));
    EXPECT_EQ(Renumbered({"/", "a.jpg", "a.jpg"}), (Titles{"/", "a.jpg", "a.jpg"}));
}

TEST(RenumberEqualNames, numbersALastLoneBareExtension) {
    EXPECT_EQ(Renumbered({"/", "A.JPG", ".JPG"}), (Titles{"/", "A.JPG", "1.JPG"}));
    EXPECT_EQ(Renumbered({".JPG"}), (Titles{"1.JPG"}));
    EXPECT_EQ(Renumbered({}), Titles{});
}

TEST(RenumberEqualNames, replacesEveryExtensionInsideAName) {
    EXPECT_EQ(replaceExtension("A.JPG.JPG", "-2.JPG"), "A-2.JPG-2.JPG");
    EXPECT_EQ(replaceExtension("A.jpg", "-2.JPG"), "A.jpg");
    EXPECT_EQ(Renumbered({"/", "x.JPGy.JPG", "x.JPGy.JPG"}),
              (Titles{"/", "x-1.JPGy-1.JPG", "x-2.JPGy-2.JPG"}));
}
