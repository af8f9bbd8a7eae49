#include "platform/file_system_seam.h"
#include "tests/scan_harness.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::set<std::string> RowPaths(const MemoryListView& rows, const std::string& root) {
    std::set<std::string> paths;
    for (QELFileInfo* r : rows.Rows()) {
        paths.insert(r->path.substr(root.size()) + (r->isFolder ? "/" : ""));
    }
    return paths;
}

// Every row below the top level follows, somewhere above it, the row of its own folder, with
// only deeper rows in between: depth first, pre-order.
void ExpectPreOrder(const MemoryListView& rows) {
    const auto all = rows.Rows();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i]->level == 0) {
            continue;
        }
        std::size_t j = i;
        while (j > 0 && all[j - 1]->level >= all[i]->level) {
            --j;
        }
        ASSERT_GT(j, 0u) << all[i]->path;
        const QELFileInfo* parent = all[j - 1];
        EXPECT_EQ(parent->isFolder, 1);
        EXPECT_EQ(parent->level, all[i]->level - 1);
        EXPECT_EQ(parent->path + "/" + all[i]->name, all[i]->path);
    }
}

std::vector<WParam> ProgressCounts(const ScanHarness& h) {
    std::vector<WParam> counts;
    for (const auto& m : h.messagesOf(UM_SEARCH_PROGRESS)) {
        if (m.lParam == 0) {
            counts.push_back(m.wParam);
        }
    }
    return counts;
}

void ExpectEndMessages(const ScanHarness& h) {
    const auto search = h.messagesOf(UM_SEARCH_PROGRESS);
    ASSERT_FALSE(search.empty());
    EXPECT_EQ(search.back().wParam, 0u);
    EXPECT_EQ(search.back().lParam, 1);
    const auto thumbs = h.messagesOf(UM_THUMB_PROGRESS);
    ASSERT_FALSE(thumbs.empty());
    EXPECT_EQ(thumbs.back().lParam, 0);
    EXPECT_EQ(h.messages.back().id, UM_THUMB_PROGRESS);
}

// Called from the thumbnail phase's threads.
std::mutex gMadeForLock;
std::vector<QELFileInfo*> gMadeFor;
int RecordingThumbnailMaker(QELFileInfo* record, const ImageBox& box) {
    {
        const std::lock_guard<std::mutex> lock(gMadeForLock);
        gMadeFor.push_back(record);
    }
    EXPECT_EQ(box.right - box.left, 30);
    EXPECT_EQ(box.bottom - box.top, 30);
    record->thumbReady = 1;
    return 1;
}

} // namespace

TEST(FolderScan, takesEveryNameEndingInDotJpgInAnyCaseAsAPhoto) {
    for (const char* name : {"IMG_0001.JPG", "img_0001.jpg", "Img.Jpg", ".jpg", "a.jPg"}) {
        EXPECT_TRUE(IsPhotoName(name)) << name;
    }
    for (const char* name : {"IMG_0001.JPEG", "IMG_0001.JPG.txt", "JPG", "jpg", "", "x.JP",
                             "IMG_0001.JPG ", "写真.ＪＰＧ"}) {
        EXPECT_FALSE(IsPhotoName(name)) << name;
    }
}

TEST(FolderScan, filesVisibleFoldersAndPhotosDepthFirstWithOneRunningCount) {
    TempDir dir;
    const std::string root = dir.path();
    for (const char* file : {"A.JPG", "b.jpg", ".jpg", "notes.txt", "X.JPEG", "sub/C.Jpg",
                             "sub/deeper/D.JPG", "sub/deeper/E.jpg", "sub/other.mov",
                             ".cache/H.JPG", "listed/L.JPG", "only/dirs/x/y.txt", "z/Z.JPG"}) {
        WriteFile(root + file, "not looked at");
    }
    WriteFile(root + ".hidden", "listed\nnothing-here\n");
    std::filesystem::create_directory(root + "empty");

    ScanHarness h;
    h.search(root);

    EXPECT_EQ(RowPaths(h.sourceRows, root),
              (std::set<std::string>{"A.JPG", "b.jpg", ".jpg", "sub/", "sub/C.Jpg", "sub/deeper/",
                                     "sub/deeper/D.JPG", "sub/deeper/E.jpg", "only/", "only/dirs/",
                                     "only/dirs/x/", "empty/", "z/", "z/Z.JPG"}));
    ExpectPreOrder(h.sourceRows);
    for (QELFileInfo* r : h.sourceRows.Rows()) {
        const auto depth = std::count(r->path.begin() + root.size(), r->path.end(), '/');
        EXPECT_EQ(r->level, depth) << r->path;
    }
    EXPECT_EQ(h.catalogue.photos.size(), 7u);
    EXPECT_EQ(h.catalogue.folders.size(), 7u);
    EXPECT_EQ(ProgressCounts(h), (std::vector<WParam>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(h.catalogue.scanJob->foundCount, 7);
    ExpectEndMessages(h);
}

TEST(FolderScan, keepsNamesThatAreNotUtf8AsTheirBytes) {
    TempDir dir;
    const std::string name = "\xff\xfe\x82\xa0.JPG";
    WriteFile(dir.path() + "\x93\xfa/" + name, "x");
    ScanHarness h;
    h.search(dir.path());
    ASSERT_EQ(h.catalogue.photos.size(), 1u);
    EXPECT_EQ(h.catalogue.photos[0]->name, name);
    EXPECT_EQ(h.catalogue.photos[0]->path, dir.path() + "\x93\xfa/" + name);
    EXPECT_TRUE(std::filesystem::exists(h.catalogue.photos[0]->path));
}

TEST(FolderScan, anEmptyFolderGivesNoRowAndOnlyTheTwoClosingMessages) {
    TempDir dir;
    ScanHarness h;
    h.search(dir.path());
    EXPECT_EQ(h.sourceRows.RowCount(), 0u);
    ASSERT_EQ(h.messages.size(), 2u);
    EXPECT_EQ(h.messages[0].id, UM_SEARCH_PROGRESS);
    EXPECT_EQ(h.messages[0].wParam, 0u);
    EXPECT_EQ(h.messages[0].lParam, 1);
    EXPECT_EQ(h.messages[1].id, UM_THUMB_PROGRESS);
    EXPECT_EQ(h.messages[1].lParam, 0);
}

TEST(FolderScan, aMissingSourceFolderYieldsNothingAndStillEnds) {
    TempDir dir;
    ScanHarness h;
    h.search(dir.path() + "gone/");
    EXPECT_EQ(h.sourceRows.RowCount(), 0u);
    EXPECT_EQ(h.messages.size(), 2u);
}

TEST(FolderScan, aFolderOfOnlyFoldersGivesFolderRowsAndNoProgress) {
    TempDir dir;
    std::filesystem::create_directories(dir.path() + "a/b/c");
    ScanHarness h;
    h.search(dir.path());
    ASSERT_EQ(h.sourceRows.RowCount(), 3u);
    EXPECT_EQ(h.sourceRows.RowRecord(2)->level, 2);
    EXPECT_TRUE(ProgressCounts(h).empty());
}

TEST(FolderScan, followsLinkedFoldersButEntersEveryFolderOnlyOnce) {
    TempDir dir;
    const std::string root = dir.path();
    WriteFile(root + "a/A.JPG", "x");
    WriteFile(root + "b/B.JPG", "x");
    std::filesystem::create_directory_symlink(root, root + "a/loop");
    std::filesystem::create_directory_symlink("..", root + "a/up");
    std::filesystem::create_directory_symlink(root + "b", root + "a/tob");

    ScanHarness h;
    h.search(root);

    // The link to the sibling comes first in name order; the sibling itself is then not entered.
    EXPECT_EQ(RowPaths(h.sourceRows, root),
              (std::set<std::string>{"a/", "a/A.JPG", "a/loop/", "a/up/", "a/tob/", "a/tob/B.JPG",
                                     "b/"}));
    EXPECT_EQ(h.catalogue.photos.size(), 2u);
}

// A real permission, not the seam: the errno is the file system's own.
TEST(FolderScan, anUnreadableFolderIsToldWithItsErrorAndTheWalkGoesOn) {
    TempDir dir;
    WriteFile(dir.path() + "locked/L.JPG", "x");
    WriteFile(dir.path() + "open/O.JPG", "x");
    std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
    std::filesystem::permissions(dir.path() + "locked", std::filesystem::perms::none);
    const std::set<std::string> expected{"locked/", "open/", "open/O.JPG"};
    const auto toldLocked = [&](const ScanHarness& h) {
        const UnreadFolders& unread = unreadFolders(h.catalogue);
        return unread.size() == 1 && unread[0].path == dir.path() + "locked/" &&
               unread[0].error == EACCES;
    };
    if (geteuid() != 0) {
        ScanHarness h;
        h.search(dir.path());
        EXPECT_EQ(RowPaths(h.sourceRows, dir.path()), expected);
        EXPECT_TRUE(toldLocked(h));
        return;
    }
    // Permissions do not keep root out: walk as an unprivileged user in a child process.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) {
            _exit(3);
        }
        ScanHarness h;
        h.search(dir.path());
        _exit(RowPaths(h.sourceRows, dir.path()) == expected && toldLocked(h) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// A failing card may list part of a folder: what it gave is filed, the folder is still told.
TEST(FolderScan, aListingThatFailsPartWayKeepsItsFirstEntriesAndTellsTheFolder) {
    TempDir dir;
    WriteFile(dir.path() + "failing/A.JPG", "x");
    WriteFile(dir.path() + "failing/B.JPG", "x");
    WriteFile(dir.path() + "open/C.JPG", "x");
    FileSystemQuirks quirks;
    quirks.listingFailsFor = "failing";
    SetFileSystemQuirks(quirks);
    ScanHarness h;
    h.search(dir.path());
    SetFileSystemQuirks({});
    EXPECT_EQ(h.catalogue.photos.size(), 2u) << "one of failing/ and open/C.JPG";
    const UnreadFolders& unread = unreadFolders(h.catalogue);
    ASSERT_EQ(unread.size(), 1u);
    EXPECT_EQ(unread[0].path, dir.path() + "failing/");
    EXPECT_EQ(unread[0].error, EIO);
}

TEST(FolderScan, makesThumbnailsOfPhotoRowsAndAnnouncesEachInRowOrder) {
    TempDir dir;
    WriteFile(dir.path() + "A.JPG", "x");
    WriteFile(dir.path() + "sub/B.JPG", "x");
    WriteFile(dir.path() + "sub/C.JPG", "x");
    ScanHarness h;
    h.catalogue.thumbnailMaker = RecordingThumbnailMaker;
    gMadeFor.clear();
    h.search(dir.path());

    std::vector<QELFileInfo*> photoRows;
    for (QELFileInfo* r : h.sourceRows.Rows()) {
        if (r->isFolder == 0) {
            photoRows.push_back(r);
        }
    }
    // Made on several threads in any order; announced in row order.
    std::sort(gMadeFor.begin(), gMadeFor.end());
    std::vector<QELFileInfo*> sortedRows = photoRows;
    std::sort(sortedRows.begin(), sortedRows.end());
    EXPECT_EQ(gMadeFor, sortedRows);
    const auto thumbs = h.messagesOf(UM_THUMB_PROGRESS);
    ASSERT_EQ(thumbs.size(), 4u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(thumbs[i].lParam, reinterpret_cast<LParam>(photoRows[i]));
    }
    EXPECT_EQ(thumbs[3].lParam, 0);
    EXPECT_EQ(h.sourceRows.InvalidateCount(), 3);
    // The end of the walk is reported before the first thumbnail.
    const auto endOfWalk = std::find_if(h.messages.begin(), h.messages.end(), [](auto& m) {
        return m.id == UM_SEARCH_PROGRESS && m.lParam == 1;
    });
    EXPECT_LT(endOfWalk - h.messages.begin(),
              std::find_if(h.messages.begin(), h.messages.end(), [](auto& m) {
                  return m.id == UM_THUMB_PROGRESS;
              }) - h.messages.begin());
}

TEST(FolderScan, aSecondSearchStartsAfreshWithItsCountAtOne) {
    TempDir dir;
    WriteFile(dir.path() + "A.JPG", "x");
    WriteFile(dir.path() + "B.JPG", "x");
    ScanHarness h;
    h.search(dir.path());
    h.messages.clear();
    h.search(dir.path());
    EXPECT_EQ(ProgressCounts(h), (std::vector<WParam>{1, 2}));
    EXPECT_EQ(h.catalogue.photos.size(), 2u);
    EXPECT_EQ(h.sourceRows.RowCount(), 2u);
}

TEST(FolderScan, listsEachFolderInNameOrderWithLettersOfEitherCaseAlike) {
    TempDir dir;
    for (const char* name : {"b.JPG", "a.JPG", "C.JPG", "A.JPG", "_.JPG", "B/x.JPG"}) {
        WriteFile(dir.path() + name, "x");
    }
    ScanHarness h;
    h.search(dir.path());
    std::vector<std::string> names;
    for (const QELFileInfo* row : h.sourceRows.Rows()) {
        names.push_back(row->name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"A.JPG", "a.JPG", "B", "x.JPG", "b.JPG", "C.JPG",
                                               "_.JPG"}));
}

TEST(FolderScan, aStopEndsTheWalkBeforeTheNextFolder) {
    TempDir dir;
    for (const char* file : {"a/A.JPG", "b/B.JPG", "c/C.JPG"}) {
        WriteFile(dir.path() + file, "x");
    }
    // The search is stopped as soon as its first folder has been filed, as a new search or the
    // program's end would stop it on a slow network mount.
    struct StoppingRows : MemoryListView {
        std::atomic<int>* running = nullptr;
        void AddRow(QELFileInfo* record) override {
            MemoryListView::AddRow(record);
            *running = 0;
        }
    } rows;
    ScanHarness h;
    rows.running = &h.catalogue.scanJob->running;
    h.catalogue.sourceList = &rows;
    h.search(dir.path());
    EXPECT_EQ(RowPaths(rows, dir.path()), std::set<std::string>{"a/"});
    EXPECT_TRUE(h.messagesOf(UM_SEARCH_PROGRESS).empty()) << "no end of a walk that was stopped";
}

TEST(FolderScan, givesEachPhotoItsCompanionsAndCountsWhatStaysOnTheCardByKind) {
    TempDir dir;
    const std::string root = dir.path();
    const std::string dcim = root + "DCIM/100CANON/";
    for (const std::string& file : {dcim + "IMG_0001.JPG",
                                    dcim + "IMG_0001.CR3",
                                    dcim + "IMG_0001.WAV",
                                    dcim + "IMG_0002.JPG",
                                    dcim + "IMG_0002.CR3",
                                    dcim + "IMG_0003.CR3",
                                    dcim + "MVI_0004.MP4",
                                    root + "nikon/DSC_0001.jpg",
                                    root + "nikon/dsc_0001.nef",
                                    root + "nikon/DSC_0001.JPG.txt",
                                    root + "phone/IMG_0100.JPG",
                                    root + "phone/IMG_0100.MOV",
                                    root + "phone/IMG_0100.xmp",
                                    root + "phone/IMG_0101.HEIC",
                                    root + "phone/img_0100.jpg",
                                    root + "MISC.TXT",
                                    root + ".DS_Store",
                                    root + ".cache/x.mov",
                                    root + "IMG_0001.CR3",
                                    root + ".thumbs/T_0001.JPG",
                                    root + ".thumbs/deep/t_0002.jpg",
                                    root + "old/IMG_0200.JPG",
                                    root + "TSFXML/0906TSF.XML"}) {
        WriteFile(file, "x");
    }
    WriteFile(root + ".hidden", "old\nTSFXML\nempty\n");
    std::filesystem::create_directory(root + "empty");
    // Followed, it would count the card's own photos as hidden, and keep them from the import.
    std::filesystem::create_directory_symlink(root + "DCIM", root + ".thumbs/card");

    ScanHarness h;
    h.search(root);

    std::map<std::string, std::vector<std::string>> companions;
    for (const auto& photo : h.catalogue.photos) {
        companions[photo->path.substr(root.size())] = photo->companions;
    }
    using Paths = std::vector<std::string>;
    EXPECT_EQ(
        companions,
        (std::map<std::string, Paths>{
            {"DCIM/100CANON/IMG_0001.JPG", {dcim + "IMG_0001.CR3", dcim + "IMG_0001.WAV"}},
            {"DCIM/100CANON/IMG_0002.JPG", {dcim + "IMG_0002.CR3"}},
            {"nikon/DSC_0001.jpg", {root + "nikon/dsc_0001.nef"}},
            {"phone/IMG_0100.JPG", {root + "phone/IMG_0100.MOV", root + "phone/IMG_0100.xmp"}},
            {"phone/img_0100.jpg", {}}}));
    const LeftOnCard& left = leftOnCard(h.catalogue);
    EXPECT_EQ(left.of(LeftKind::Video), Paths{dcim + "MVI_0004.MP4"});
    EXPECT_EQ(left.of(LeftKind::RawOnly), (Paths{dcim + "IMG_0003.CR3", root + "IMG_0001.CR3"}));
    EXPECT_EQ(left.of(LeftKind::Picture), Paths{root + "phone/IMG_0101.HEIC"});
    EXPECT_EQ(left.of(LeftKind::Other),
              (Paths{root + "MISC.TXT", root + "nikon/DSC_0001.JPG.txt"}));
    EXPECT_EQ(left.of(LeftKind::HiddenPhoto),
              (Paths{root + ".thumbs/deep/t_0002.jpg", root + ".thumbs/T_0001.JPG",
                     root + "old/IMG_0200.JPG"}));
    EXPECT_TRUE(unreadFolders(h.catalogue).empty());

    clearSource(h.catalogue);
    EXPECT_TRUE(leftOnCard(h.catalogue).empty());
}
