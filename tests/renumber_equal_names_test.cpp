#include "titles/numbered_name.h"
#include "titles/renumber_equal_names.h"

#include <gtest/gtest.h>

namespace {

// "Y…" is a year folder and "D…" a day folder titled with the rest; "H…" a photo the user
// titled with the rest; anything else is a photo.
RecordList Results(const std::vector<std::string>& titles) {
    RecordList results;
    for (const std::string& title : titles) {
        auto entry = std::make_unique<QELFileInfo>();
        const bool folder = title.starts_with("Y") || title.starts_with("D");
        entry->isFolder = folder;
        entry->level = title.starts_with("D") ? 1 : 0;
        entry->title = folder || title.starts_with("H") ? title.substr(1) : title;
        if (title.starts_with("H")) {
            entry->handTitle = entry->title;
        }
        results.push_back(std::move(entry));
    }
    return results;
}

std::vector<std::string> Renumbered(const std::vector<std::string>& titles) {
    RecordList results = Results(titles);
    renumberEqualNames(results);
    std::vector<std::string> out;
    for (std::size_t i = 0; i < results.size(); ++i) {
        const bool kept = results[i]->isFolder || titles[i] == "H" + results[i]->title;
        out.push_back(kept ? titles[i] : results[i]->title);
    }
    return out;
}

using Titles = std::vector<std::string>;

} // namespace

TEST(RenumberEqualNames, numbersEqualTitlesWithinAFolderInListOrder) {
    EXPECT_EQ(Renumbered({"D1", "A.JPG", "A.JPG", "A.JPG", "B.JPG"}),
              (Titles{"D1", "A-1.JPG", "A-2.JPG", "A-3.JPG", "B.JPG"}));
    EXPECT_EQ(Renumbered({"D1", "A.JPG", "B.JPG", "A.JPG"}),
              (Titles{"D1", "A-1.JPG", "B.JPG", "A-2.JPG"}));
    EXPECT_EQ(Renumbered({"D1", ".JPG", ".JPG", ".JPG"}),
              (Titles{"D1", "1.JPG", "2.JPG", "3.JPG"}));
    EXPECT_EQ(Renumbered({"D1", ".JPG", "D2", ".JPG", "X.JPG"}),
              (Titles{"D1", "1.JPG", "D2", "1.JPG", "X.JPG"}));
}

TEST(RenumberEqualNames, givesNoTwoPhotosOfOneFolderOneNameWhateverTheirExtensionOrOrigin) {
    EXPECT_EQ(Renumbered({"Y2010", "D1", "A.JPG", "D2", "A.JPG", "Y2011", "D1", "A.JPG"}),
              (Titles{"Y2010", "D1", "A.JPG", "D2", "A.JPG", "Y2011", "D1", "A.JPG"}));
    EXPECT_EQ(Renumbered({"D1", "img_0001.jpg", "img_0001.jpg", "a.jpg"}),
              (Titles{"D1", "img_0001-1.jpg", "img_0001-2.jpg", "a.jpg"}));
    // Day folders of one title in one year are one folder on disk.
    EXPECT_EQ(Renumbered({"Y2010", "D京都府", "1.JPG", "2.JPG", "D京都府", "1.JPG"}),
              (Titles{"Y2010", "D京都府", "1-1.JPG", "2.JPG", "D京都府", "1-2.JPG"}));
    // A number never gives a name that another photo of the folder has.
    EXPECT_EQ(Renumbered({"D1", "X-1.JPG", "X.JPG", "X.JPG"}),
              (Titles{"D1", "X-1.JPG", "X-2.JPG", "X-3.JPG"}));
    EXPECT_EQ(Renumbered({"D1", ".JPG", "1.JPG", ".jpg"}),
              (Titles{"D1", "2.JPG", "1.JPG", "1.jpg"}));
}

TEST(RenumberEqualNames, numbersALastLoneBareExtension) {
    EXPECT_EQ(Renumbered({"D1", "A.JPG", ".JPG"}), (Titles{"D1", "A.JPG", "1.JPG"}));
    EXPECT_EQ(Renumbered({".JPG"}), (Titles{"1.JPG"}));
    EXPECT_EQ(Renumbered({}), Titles{});
}

TEST(RenumberEqualNames, replacesEveryExtensionInsideAName) {
    EXPECT_EQ(replaceExtension("A.JPG.JPG", "-2.JPG"), "A-2.JPG-2.JPG");
    EXPECT_EQ(replaceExtension("A.jpg", "-2.JPG"), "A.jpg");
    EXPECT_EQ(Renumbered({"D1", "x.JPGy.JPG", "x.JPGy.JPG"}),
              (Titles{"D1", "x-1.JPGy-1.JPG", "x-2.JPGy-2.JPG"}));
    EXPECT_EQ(NumberedName("IMG.Jpg", 3), "IMG-3.Jpg");
    EXPECT_EQ(NumberedName("notes", 2), "notes-2");
}

TEST(RenumberEqualNames, keepsANameTheUserTypedAndNumbersTheOthersAroundIt) {
    EXPECT_EQ(Renumbered({"D1", "A.JPG", "HA.JPG", "A.JPG"}),
              (Titles{"D1", "A-1.JPG", "HA.JPG", "A-2.JPG"}));
    // Two photos typed alike: the first keeps the name, never two photos with one name.
    EXPECT_EQ(Renumbered({"D1", "HA.JPG", "HA.JPG"}), (Titles{"D1", "HA.JPG", "A-1.JPG"}));
}
