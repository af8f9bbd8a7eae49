#include "platform/error_report.h"
#include "platform/file_system_seam.h"
#include "platform/message_queue.h"
#include "records/copy_photos.h"
#include "records/record_paths.h"
#include "records/record_reader.h"
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
        entry->orgTitleFileName = entry->name;
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
    CopyTally Copy(const std::string& destination, const CopyOptions& options = {}) {
        CopyTally tally;
        EXPECT_EQ(CopyPhotos(catalogue, destination, &window, &tally, nullptr, options), 0);
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
    // Photos are counted, not folders.
    ASSERT_EQ(messages.size(), 2u);
    for (std::size_t i = 0; i < messages.size(); ++i) {
        EXPECT_EQ(messages[i].id, UM_COPY_PROGRESS);
        EXPECT_EQ(messages[i].wParam, i + 1);
        EXPECT_EQ(messages[i].lParam, 2);
    }
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(ReadFile(card.path() + "DSC_0001.JPG"), "first photo");
}

TEST_F(CopyPass, neverCopiesOverADifferentFileNorRecordsBesideOneAndSkipsItsOwnBytes) {
    const std::string day = out.path() + "2010年/08月15日/";
    WriteFile(card.path() + "DSC_0001.JPG", "new photo");
    WriteFile(card.path() + "DSC_0002.JPG", "photo copied before");
    WriteFile(card.path() + "DSC_0003.JPG", "photo whose record name is taken");
    WriteFile(day + "0905.JPG", "a different photo");
    WriteFile(day + "0906.JPG", "photo copied before");
    WriteFile(day + "TSFXML/0907TSF.XML", "the record of 0907.jpg");
    WriteFile(day + "TSFXML/.tessaro-4242-1.tmp", "a record a killed run left");
    Day("2010年", "08月15日",
        {{"0905.JPG", card.path() + "DSC_0001.JPG"},
         {"0906.JPG", card.path() + "DSC_0002.JPG"},
         {"0907.JPG", card.path() + "DSC_0003.JPG"},
         {"", card.path() + "DSC_0001.JPG"}});
    const CopyTally tally = Copy(out.path());
    EXPECT_EQ(tally.copied, 3);
    EXPECT_EQ(tally.renamed, 2);
    EXPECT_EQ(tally.skipped, 1);
    EXPECT_TRUE(tally.allDone());
    EXPECT_EQ(ReadFile(day + "0905.JPG"), "a different photo");
    EXPECT_EQ(ReadFile(day + "0905-1.JPG"), "new photo");
    EXPECT_EQ(ReadFile(day + "0907-1.JPG"), "photo whose record name is taken");
    EXPECT_EQ(ReadFile(day + "DSC_0001.JPG"), "new photo"); // an empty title: its own name
    EXPECT_EQ(ReadFile(day + "TSFXML/0907TSF.XML"), "the record of 0907.jpg");
    EXPECT_EQ(catalogue.results[2]->title, "0905-1.JPG");
    EXPECT_EQ(catalogue.results[2]->path, day + "0905-1.JPG");
    EXPECT_EQ(PathsBelow(day + "TSFXML"),
              (std::set<std::string>{".hidden", "0905-1TSF.XML", "0906TSF.XML", "0907TSF.XML",
                                     "0907-1TSF.XML", "DSC_0001TSF.XML"}));

    // A second pass over the same entries finds every photo in place.
    messages.clear();
    const CopyTally again = Copy(out.path());
    EXPECT_EQ(again.skipped, 4);
    EXPECT_EQ(again.copied + again.failed, 0);
    EXPECT_EQ(messages.size(), 4u);
    EXPECT_TRUE(errors.empty());
}

TEST_F(CopyPass, keepsTitlesThatNameOtherFoldersInsideTheDestination) {
    WriteFile(card.path() + "DSC_0001.JPG", "photo");
    Day("..", "a/b", {{"../x.JPG", card.path() + "DSC_0001.JPG"}});
    fs::create_directory(out.path() + "inner");
    Copy(out.path() + "inner/");
    const auto tree = PathsBelow(out.path());
    EXPECT_TRUE(tree.count("inner/．．/a／b/..／x.JPG")) << ::testing::PrintToString(tree);
    for (const std::string& path : tree) {
        EXPECT_EQ(path.rfind("inner/", 0), 0u) << path;
    }
    EXPECT_EQ(catalogue.results[2]->path, out.path() + "inner/．．/a／b/..／x.JPG");
}

TEST_F(CopyPass, reportsEveryFailureWithWhatItIsAboutAndRecordsNoPhotoThatIsNotThere) {
    Day("2010年", "08月15日", {{"0905.JPG", card.path() + "gone.JPG"}});
    const CopyTally tally = Copy(out.path());
    EXPECT_EQ(tally.failed, 1);
    EXPECT_FALSE(fs::exists(out.path() + "2010年/08月15日/TSFXML/0905TSF.XML"));
    EXPECT_EQ(catalogue.results[2]->path, card.path() + "gone.JPG") << "kept, to be tried again";
    EXPECT_EQ(errors,
              std::vector<std::string>{
                  "写真をコピーできませんでした: " + card.path() + "gone.JPG → " + out.path() +
                  "2010年/08月15日/0905.JPG: ファイルまたはフォルダがありません"});

    errors.clear();
    WriteFile(card.path() + "DSC_0001.JPG", "photo");
    catalogue.results[2]->path = card.path() + "DSC_0001.JPG";
    const CopyTally nowhere = Copy("/proc/tessaro-out/");
    EXPECT_EQ(nowhere.failed, 1);
    EXPECT_FALSE(fs::exists("/proc/tessaro-out")) << "a destination is never made by the pass";
    EXPECT_EQ(errors,
              (std::vector<std::string>{"コピー先のフォルダを開けませんでした: /proc/tessaro-out/: "
                                        "ファイルまたはフォルダがありません",
                                        "コピー先のフォルダがないのでコピーしていません: " +
                                            card.path() + "DSC_0001.JPG"}));
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(CopyPass, stoppedFinishesThePhotoAtHandWithItsRecordAndNamesThoseItDidNotReach) {
    for (const char* name : {"DSC_0001.JPG", "DSC_0002.JPG", "DSC_0003.JPG"}) {
        WriteFile(card.path() + name, name);
    }
    Day("2010年", "08月15日", {{"0905.JPG", card.path() + "DSC_0001.JPG"}});
    Day("2011年", "01月01日",
        {{"1000.JPG", card.path() + "DSC_0002.JPG"}, {"1001.JPG", card.path() + "DSC_0003.JPG"}});
    catalogue.results[2]->dateTimeOriginalText = "2010:08:15 09:05:00";
    catalogue.results[2]->exifStatus = kExifStatusExifTime;
    for (const std::size_t fileDated : {5, 6}) {
        catalogue.results[fileDated]->exifStatus = kExifStatusFileTime;
        catalogue.results[fileDated]->fileDateTimeText = "2011:01:01 10:00:00";
    }
    std::atomic<bool> stop{false};
    FileSystemQuirks quirks;
    // 中止 pressed while the first photo is being written.
    quirks.beforeClose = [&](const std::string& target) {
        if (target.ends_with(".JPG")) {
            stop = true;
        }
    };
    SetFileSystemQuirks(quirks);
    CopyTally tally;
    CopyPhotos(catalogue, out.path(), &window, &tally, &stop);
    SetFileSystemQuirks({});
    window.dispatch();
    EXPECT_EQ(tally.copied, 1);
    EXPECT_EQ(tally.stopped, 2);
    EXPECT_EQ(tally.fileDated, 0);
    EXPECT_FALSE(tally.allDone());
    EXPECT_EQ(PathsBelow(out.path()),
              (std::set<std::string>{
                  ".hidden", "TS1XML/", "TS1XML/.hidden", "TS1XML/2010年TS1.XML", "2010年/",
                  "2010年/.hidden", "2010年/TS2XML/", "2010年/TS2XML/.hidden",
                  "2010年/TS2XML/08月15日TS2.XML", "2010年/08月15日/", "2010年/08月15日/.hidden",
                  "2010年/08月15日/0905.JPG", "2010年/08月15日/TSFXML/",
                  "2010年/08月15日/TSFXML/.hidden", "2010年/08月15日/TSFXML/0905TSF.XML"}));
    EXPECT_EQ(errors, (std::vector<std::string>{
                          "中止したのでコピーしていません: " + card.path() + "DSC_0002.JPG",
                          "中止したのでコピーしていません: " + card.path() + "DSC_0003.JPG"}));
    EXPECT_EQ(catalogue.results[5]->path, card.path() + "DSC_0002.JPG") << "kept for the next copy";
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].wParam, 1u);
    EXPECT_EQ(messages[0].lParam, 3);

    // Run again to its end: the photo without an EXIF date is counted.
    const CopyTally rest = Copy(out.path());
    EXPECT_EQ(rest.skipped, 1);
    EXPECT_EQ(rest.copied, 2);
    EXPECT_EQ(rest.fileDated, 2);
    EXPECT_TRUE(rest.allDone());
}

// A reader or a cable that wrote other bytes: the copy goes with its record, and its photo keeps
// its source for the next pass. Without the read-back the same copy counts.
TEST_F(CopyPass, removesACopyThatReadsBackOtherBytesWithItsRecordAndKeepsItsPhotoForTheNextPass) {
    const std::string day = out.path() + "2010年/08月15日/";
    for (const char* name : {"DSC_0001.JPG", "DSC_0002.JPG", "DSC_0003.JPG"}) {
        WriteFile(card.path() + name, name);
    }
    WriteFile(day + "0906.JPG", "a different photo");
    Day("2010年", "08月15日",
        {{"0905.JPG", card.path() + "DSC_0001.JPG"},
         {"0906.JPG", card.path() + "DSC_0002.JPG"},
         {"0907.JPG", card.path() + "DSC_0003.JPG"}});
    catalogue.results[3]->exifStatus = kExifStatusFileTime;
    catalogue.results[3]->fileDateTimeText = "2010:08:15 09:06:00";
    FileSystemQuirks quirks;
    quirks.readsDifferFor = "0906-1";
    SetFileSystemQuirks(quirks);

    const CopyTally tally = Copy(out.path());
    EXPECT_EQ(tally.copied, 2);
    EXPECT_EQ(tally.renamed, 0);
    EXPECT_EQ(tally.failed, 1);
    EXPECT_EQ(tally.fileDated, 0);
    EXPECT_EQ(errors,
              std::vector<std::string>{"コピーを読み返すと元の写真と違いました: " + card.path() +
                                       "DSC_0002.JPG → " + day + "0906-1.JPG"});
    const auto tree = PathsBelow(day);
    EXPECT_FALSE(tree.count("0906-1.JPG"));
    EXPECT_FALSE(tree.count("TSFXML/0906-1TSF.XML"));
    EXPECT_TRUE(tree.count("TSFXML/0905TSF.XML") && tree.count("TSFXML/0907TSF.XML"));
    EXPECT_EQ(ReadFile(day + "0906.JPG"), "a different photo");
    EXPECT_EQ(ReadFile(day + "0907.JPG"), "DSC_0003.JPG");
    EXPECT_EQ(catalogue.results[3]->path, card.path() + "DSC_0002.JPG");
    EXPECT_EQ(catalogue.results[3]->title, "0906.JPG");

    errors.clear();
    const CopyTally unchecked = Copy(out.path(), CopyOptions{.verify = false});
    SetFileSystemQuirks({});
    EXPECT_EQ(unchecked.copied, 1);
    EXPECT_EQ(unchecked.skipped, 2);
    EXPECT_TRUE(unchecked.allDone());
    EXPECT_TRUE(errors.empty()) << ::testing::PrintToString(errors);
    EXPECT_EQ(ReadFile(day + "0906-1.JPG"), "DSC_0002.JPG");
}

// Hand-made titles with and without an extension, with a '/', of one character, and titles that
// only cleaning makes names of: every copy has a name a card takes and a record a rerun finds.
TEST_F(CopyPass, givesEveryTitleANameACardTakesAndARecordThatIsFoundAgain) {
    WriteFile(card.path() + "DSC_0001.JPG", "photo");
    const std::string source = card.path() + "DSC_0001.JPG";
    Day("2010年.", "08月15日\x01 ",
        {{"首里城/朝.JPG", source},
         {"朝.JPG", source},
         {"x.jpg", source},
         {"10時00分end..JPG", source},
         {"京都市写真", source}});
    EXPECT_TRUE(Copy(out.path()).allDone());
    const std::string day = out.path() + "2010年/08月15日/";
    std::set<std::string> names;
    for (const auto& file : fs::directory_iterator(day)) {
        if (!file.is_regular_file() || file.path().filename() == ".hidden") {
            continue;
        }
        names.insert(file.path().filename().string());
        QELFileInfo found;
        found.path = file.path().string();
        found.title = file.path().filename().string();
        std::string text;
        EXPECT_TRUE(ReadRecordText(RecordFilePath(found), text)) << found.title;
    }
    EXPECT_EQ(names, (std::set<std::string>{"首里城／朝.JPG", "朝.JPG", "x.jpg", "10時00分end.JPG",
                                            "京都市写真"}));
    EXPECT_TRUE(fs::exists(day + "TSFXML/京都市写真TSF.XML"));
    EXPECT_EQ(catalogue.results[1]->title, "08月15日");
}

TEST_F(CopyPass, failsAPhotoChangedSinceItWasReadOrGoneWithoutMakingItsFolders) {
    const std::string read = card.path() + "a.JPG";
    WriteFile(read, "as read");
    fs::create_symlink(card.path() + "missing.JPG", card.path() + "b.JPG");
    Day("2010年", "08月15日", {{"0905.JPG", read}, {"0906.JPG", card.path() + "b.JPG"}});
    struct stat status {};
    ASSERT_EQ(stat(read.c_str(), &status), 0);
    const std::int64_t size = status.st_size;
    const std::int64_t modified =
        status.st_mtim.tv_sec * std::int64_t{1'000'000'000} + status.st_mtim.tv_nsec;
    QELFileInfo& photo = *catalogue.results[2];
    for (const auto& [analysedSize, analysedModified] :
         std::vector<std::pair<std::int64_t, std::int64_t>>{{size + 1, modified},
                                                            {size, modified - 1}}) {
        photo.analysedSize = analysedSize;
        photo.analysedModifiedNs = analysedModified;
        errors.clear();
        const CopyTally tally = Copy(out.path());
        EXPECT_EQ(tally.failed, 2);
        EXPECT_TRUE(PathsBelow(out.path()).empty()) << "no folder for photos not copied";
        EXPECT_EQ(photo.path, read);
        ASSERT_EQ(errors.size(), 2u) << ::testing::PrintToString(errors);
        EXPECT_EQ(errors[0], "読み込んだあとで写真が変わったのでコピーしていません: " + read);
        EXPECT_EQ(errors[1].rfind("写真をコピーできませんでした: " + card.path() + "b.JPG → ", 0),
                  0u);
    }
    photo.analysedModifiedNs = modified;
    const CopyTally asRead = Copy(out.path());
    EXPECT_EQ(asRead.copied, 1);
    EXPECT_EQ(photo.path, out.path() + "2010年/08月15日/0905.JPG");
}

TEST_F(CopyPass, hidesEachKindDirectoryAsItIsMadeNotOnlyAtTheEnd) {
    WriteFile(card.path() + "a.JPG", "first");
    WriteFile(card.path() + "b.JPG", "second");
    Day("2010年", "08月15日",
        {{"0905.JPG", card.path() + "a.JPG"}, {"0906.JPG", card.path() + "b.JPG"}});
    // What a run killed while it writes the second photo leaves.
    std::string listed;
    FileSystemQuirks quirks;
    quirks.beforeClose = [&](const std::string& target) {
        if (target.ends_with("0906.JPG")) {
            for (const char* folder : {"", "2010年/", "2010年/08月15日/"}) {
                listed += ReadFile(out.path() + folder + ".hidden");
            }
        }
    };
    SetFileSystemQuirks(quirks);
    const CopyTally tally = Copy(out.path());
    SetFileSystemQuirks({});
    EXPECT_EQ(tally.copied, 2);
    EXPECT_EQ(listed, "TS1XML\nTS2XML\nTSFXML\n");
}

TEST_F(CopyPass, createsNothingWithoutResults) {
    const CopyTally tally = Copy(out.path());
    EXPECT_EQ(tally.copied + tally.skipped + tally.failed, 0);
    EXPECT_TRUE(PathsBelow(out.path()).empty());
    EXPECT_TRUE(messages.empty());
}

TEST_F(CopyPass, copiesCompanionsUnderThePhotosStemAndMovesTheGroupOnWhereOneOfItsNamesIsTaken) {
    const std::string day = out.path() + "2010年/08月15日/";
    for (const char* name : {"IMG_0001.JPG", "IMG_0001.CR3", "IMG_0001.WAV", "IMG_0002.JPG",
                             "IMG_0002.CR3", "IMG_0003.JPG"}) {
        WriteFile(card.path() + name, std::string("bytes of ") + name);
    }
    WriteFile(day + "0906.CR3", "another photo's raw");
    Day("2010年", "08月15日",
        {{"0905.JPG", card.path() + "IMG_0001.JPG"},
         {"0906.JPG", card.path() + "IMG_0002.JPG"},
         {"0907.JPG", card.path() + "IMG_0003.JPG"}});
    catalogue.results[2]->companions = {card.path() + "IMG_0001.CR3", card.path() + "IMG_0001.WAV"};
    catalogue.results[3]->companions = {card.path() + "IMG_0002.CR3"};
    catalogue.results[4]->companions = {card.path() + "IMG_0003.MOV"}; // gone from the card
    const CopyTally tally = Copy(out.path());
    EXPECT_EQ(tally.copied, 3);
    EXPECT_EQ(tally.renamed, 1);
    EXPECT_EQ(tally.companionsCopied, 3);
    EXPECT_EQ(tally.companionsFailed, 1);
    EXPECT_FALSE(tally.allDone());
    EXPECT_EQ(ReadFile(day + "0905.CR3"), "bytes of IMG_0001.CR3");
    EXPECT_EQ(ReadFile(day + "0905.WAV"), "bytes of IMG_0001.WAV");
    EXPECT_EQ(ReadFile(day + "0906.CR3"), "another photo's raw");
    EXPECT_EQ(ReadFile(day + "0906-1.JPG"), "bytes of IMG_0002.JPG");
    EXPECT_EQ(ReadFile(day + "0906-1.CR3"), "bytes of IMG_0002.CR3");
    EXPECT_FALSE(fs::exists(day + "0906.JPG"));
    EXPECT_EQ(catalogue.results[2]->companions,
              (std::vector<std::string>{day + "0905.CR3", day + "0905.WAV"}));
    EXPECT_EQ(catalogue.results[4]->companions,
              std::vector<std::string>{card.path() + "IMG_0003.MOV"});
    EXPECT_EQ(errors, std::vector<std::string>{"関連ファイルをコピーできませんでした: " +
                                               card.path() + "IMG_0003.MOV → " + day +
                                               "0907.MOV: ファイルまたはフォルダがありません"});

    // Again: the whole group is found in place.
    catalogue.results[4]->companions.clear();
    const CopyTally again = Copy(out.path());
    EXPECT_EQ(again.skipped, 3);
    EXPECT_EQ(again.companionsSkipped, 3);
    EXPECT_EQ(again.copied + again.companionsCopied, 0);
    EXPECT_TRUE(again.allDone());
}

// A photo and its RAW that both read back other bytes go, and the next pass copies them; the
// photo beside them and its RAW stay.
TEST_F(CopyPass, removesCompanionsThatReadBackOtherBytesAndKeepsTheirSourcesForTheNextPass) {
    const std::string day = out.path() + "2010年/08月15日/";
    for (const char* name : {"IMG_0001.JPG", "IMG_0001.CR3", "IMG_0002.JPG", "IMG_0002.CR3"}) {
        WriteFile(card.path() + name, std::string("bytes of ") + name);
    }
    Day("2010年", "08月15日",
        {{"0905.JPG", card.path() + "IMG_0001.JPG"}, {"0906.JPG", card.path() + "IMG_0002.JPG"}});
    catalogue.results[2]->companions = {card.path() + "IMG_0001.CR3"};
    catalogue.results[3]->companions = {card.path() + "IMG_0002.CR3"};
    FileSystemQuirks quirks;
    quirks.readsDifferFor = "0906";
    SetFileSystemQuirks(quirks);
    const CopyTally tally = Copy(out.path());
    SetFileSystemQuirks({});
    EXPECT_EQ(tally.copied, 1);
    EXPECT_EQ(tally.failed, 1);
    EXPECT_EQ(tally.companionsCopied, 1);
    EXPECT_EQ(tally.companionsFailed, 1);
    EXPECT_EQ(errors.size(), 2u) << ::testing::PrintToString(errors);
    const auto tree = PathsBelow(day);
    EXPECT_TRUE(tree.count("0905.CR3") && tree.count("TSFXML/0905TSF.XML"));
    for (const char* gone : {"0906.JPG", "0906.CR3", "TSFXML/0906TSF.XML"}) {
        EXPECT_FALSE(tree.count(gone)) << gone;
    }
    EXPECT_EQ(catalogue.results[3]->path, card.path() + "IMG_0002.JPG");
    EXPECT_EQ(catalogue.results[3]->companions,
              std::vector<std::string>{card.path() + "IMG_0002.CR3"});

    const CopyTally again = Copy(out.path());
    EXPECT_EQ(again.copied, 1);
    EXPECT_EQ(again.companionsCopied, 1);
    EXPECT_EQ(again.skipped + again.companionsSkipped, 2);
    EXPECT_TRUE(again.allDone());
    EXPECT_EQ(ReadFile(day + "0906.CR3"), "bytes of IMG_0002.CR3");
}

// The library's folders renamed and its titles composed otherwise since the photos came: they
// are found where they lie, by their records, and nothing is copied twice nor any folder made.
TEST_F(CopyPass, leavesPhotosThatLieElsewhereInTheDestinationWhereTheyLieAndAddsTheirCompanions) {
    for (const char* name : {"IMG_0001.JPG", "IMG_0001.CR3", "IMG_0001.WAV", "IMG_0002.JPG"}) {
        WriteFile(card.path() + name, std::string("bytes of ") + name);
    }
    Day("2010年", "08月15日",
        {{"0905.JPG", card.path() + "IMG_0001.JPG"}, {"0906.JPG", card.path() + "IMG_0002.JPG"}});
    catalogue.results[2]->companions = {card.path() + "IMG_0001.CR3"};
    Copy(out.path());
    const std::string renamed = out.path() + "2010年/08月15日沖縄旅行/";
    fs::rename(out.path() + "2010年/08月15日", renamed);
    fs::remove(renamed + "0906.JPG"); // its record is left, describing nothing

    clearResults(catalogue);
    Day("2010(平成22)年", "08月15日沖縄県",
        {{"朝.JPG", card.path() + "IMG_0001.JPG"}, {"昼.JPG", card.path() + "IMG_0002.JPG"}});
    catalogue.results[2]->companions = {card.path() + "IMG_0001.CR3", card.path() + "IMG_0001.WAV"};
    const auto record = ReadFile(renamed + "TSFXML/0905TSF.XML");
    const CopyTally tally = Copy(out.path());
    EXPECT_EQ(tally.skipped, 1);
    EXPECT_EQ(tally.elsewhere, 1);
    EXPECT_EQ(tally.copied, 1);
    EXPECT_EQ(tally.companionsSkipped, 1);
    EXPECT_EQ(tally.companionsCopied, 1);
    EXPECT_TRUE(tally.allDone());
    EXPECT_EQ(catalogue.results[2]->path, renamed + "0905.JPG");
    EXPECT_EQ(catalogue.results[2]->title, "0905.JPG");
    EXPECT_EQ(ReadFile(renamed + "0905.WAV"), "bytes of IMG_0001.WAV");
    EXPECT_EQ(ReadFile(renamed + "TSFXML/0905TSF.XML"), record);
    const std::string day = out.path() + "2010(平成22)年/08月15日沖縄県/";
    EXPECT_EQ(ReadFile(day + "昼.JPG"), "bytes of IMG_0002.JPG");
    EXPECT_FALSE(fs::exists(day + "朝.JPG"));

    // A day all of whose photos lie elsewhere gets no folder.
    clearResults(catalogue);
    Day("2010年", "08月15日", {{"0905.JPG", card.path() + "IMG_0001.JPG"}});
    const CopyTally again = Copy(out.path());
    EXPECT_EQ(again.elsewhere, 1);
    EXPECT_FALSE(fs::exists(out.path() + "2010年/08月15日"));
    EXPECT_TRUE(errors.empty()) << ::testing::PrintToString(errors);
}
