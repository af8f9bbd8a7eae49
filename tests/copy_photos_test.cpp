#include "platform/error_report.h"
#include "platform/message_queue.h"
#include "records/copy_photos.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

class CopyPass : public ::testing::Test {
protected:
    CopyPass() {
        catalogue.initCatalogue(nullptr, nullptr, "");
        SetErrorReporter([this](const std::string& message) { errors.push_back(message); });
    }
    ~CopyPass() override { SetErrorReporter(nullptr); }

    void Add(int isFolder, int level, const std::string& title, const std::string& path = "") {
        auto entry = std::make_unique<QELFileInfo>();
        entry->isFolder = isFolder;
        entry->level = level;
        entry->title = title;
        entry->path = path;
        entry->name = fs::path(path).filename().string();
        catalogue.results.push_back(std::move(entry));
    }
    // A year, a day and the photos given as (title, source path).
    void Day(const std::string& year, const std::string& day,
             const std::vector<std::pair<std::string, std::string>>& photos) {
        Add(1, 0, year);
        Add(1, 1, day);
        for (const auto& [title, path] : photos) {
            Add(0, 2, title, path);
        }
    }
    CopyTally Copy(const std::string& destination) {
        CopyTally tally;
        EXPECT_EQ(CopyPhotos(catalogue, destination, &window, &tally), 0);
        window.dispatch();
        return tally;
    }

    TempDir card;
    TempDir out;
    std::vector<std::string> errors;
    std::vector<WindowMessage> messages;
    MessageQueue window{[this](const WindowMessage& m) { messages.push_back(m); }};
    CManageQELFileInfo catalogue;
};

} // namespace

TEST_F(CopyPass, makesTheTitledTreeWithHiddenRecordsAndPointsEntriesAtTheirCopies) {
    WriteFile(card.path() + "DSC_0001.JPG", "first photo");
    WriteFile(card.path() + "DSC_0002.JPG", "second photo");
    Day("2010年", "08月15日",
        {{"0905.JPG", card.path() + "DSC_0001.JPG"}, {"0906.JPG", card.path() + "DSC_0002.JPG"}});
    const CopyTally tally = Copy(out.path());
    EXPECT_EQ(tally.copied, 2);
    EXPECT_EQ(PathsBelow(out.path()),
              (std::set<std::string>{
                  ".hidden", "TS1XML/", "TS1XML/2010年TS1.XML", "2010年/", "2010年/.hidden",
                  "2010年/TS2XML/", "2010年/TS2XML/08月15日TS2.XML", "2010年/08月15日/",
                  "2010年/08月15日/.hidden", "2010年/08月15日/0905.JPG", "2010年/08月15日/0906.JPG",
                  "2010年/08月15日/TSFXML/", "2010年/08月15日/TSFXML/0905TSF.XML",
                  "2010年/08月15日/TSFXML/0906TSF.XML", "2010年/08月15日/TSFXML/.hidden",
                  "2010年/TS2XML/.hidden", "TS1XML/.hidden"}));
    EXPECT_EQ(ReadFile(out.path() + "2010年/08月15日/0906.JPG"), "second photo");
    EXPECT_NE(ReadFile(out.path() + ".hidden").find("TS1XML\n"), std::string::npos);
    EXPECT_EQ(catalogue.results[0]->path, out.path() + "2010年");
    EXPECT_EQ(catalogue.results[1]->path, out.path() + "2010年/08月15日");
    EXPECT_EQ(catalogue.results[2]->path, out.path() + "2010年/08月15日/0905.JPG");
    ASSERT_EQ(messages.size(), 4u);
    for (std::size_t i = 0; i < messages.size(); ++i) {
        EXPECT_EQ(messages[i].id, UM_COPY_PROGRESS);
        EXPECT_EQ(messages[i].wParam, i + 1);
        EXPECT_EQ(messages[i].lParam, 4);
    }
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(ReadFile(card.path() + "DSC_0001.JPG"), "first photo");
}

TEST_F(CopyPass, leavesAnExistingFileAsItWasButStillWritesTheRecord) {
    WriteFile(card.path() + "DSC_0001.JPG", "new photo");
    WriteFile(out.path() + "2010年/08月15日/0905.JPG", "already there");
    Day("2010年", "08月15日", {{"0905.JPG", card.path() + "DSC_0001.JPG"}});
    const CopyTally tally = Copy(out.path());
    EXPECT_EQ(tally.skipped, 1);
    EXPECT_EQ(ReadFile(out.path() + "2010年/08月15日/0905.JPG"), "already there");
    EXPECT_TRUE(fs::exists(out.path() + "2010年/08月15日/TSFXML/0905TSF.XML"));

    // A second pass over the same entries finds every photo in place.
    messages.clear();
    const CopyTally again = Copy(out.path());
    EXPECT_EQ(again.skipped, 1);
    EXPECT_EQ(again.copied + again.failed, 0);
    EXPECT_EQ(messages.size(), 3u);
}

TEST_F(CopyPass, keepsTitlesThatNameOtherFoldersInsideTheDestination) {
    WriteFile(card.path() + "DSC_0001.JPG", "photo");
    Day("..", "a/b", {{"../x.JPG", card.path() + "DSC_0001.JPG"}});
    Copy(out.path() + "inner/");
    const auto tree = PathsBelow(out.path());
    EXPECT_TRUE(tree.count("inner/．．/a／b/..／x.JPG")) << ::testing::PrintToString(tree);
    for (const std::string& path : tree) {
        EXPECT_EQ(path.rfind("inner/", 0), 0u) << path;
    }
    EXPECT_EQ(catalogue.results[2]->path, out.path() + "inner/．．/a／b/..／x.JPG");
}

TEST_F(CopyPass, countsVanishedPhotosAndReportsRecordsThatCannotBeWritten) {
    Day("2010年", "08月15日", {{"0905.JPG", card.path() + "gone.JPG"}});
    const CopyTally tally = Copy(out.path());
    EXPECT_EQ(tally.failed, 1);
    EXPECT_TRUE(fs::exists(out.path() + "2010年/08月15日/TSFXML/0905TSF.XML"));

    messages.clear();
    WriteFile(card.path() + "DSC_0001.JPG", "photo");
    catalogue.results[2]->path = card.path() + "DSC_0001.JPG";
    const CopyTally nowhere = Copy("/proc/tessaro-out/");
    EXPECT_EQ(nowhere.failed, 1);
    EXPECT_EQ(errors, std::vector<std::string>(3, "ＸＭＬファイル作成に失敗しました"));
    EXPECT_EQ(messages.size(), 3u);
}

TEST_F(CopyPass, createsNothingWithoutResults) {
    const CopyTally tally = Copy(out.path());
    EXPECT_EQ(tally.copied + tally.skipped + tally.failed, 0);
    EXPECT_TRUE(PathsBelow(out.path()).empty());
    EXPECT_TRUE(messages.empty());
}
