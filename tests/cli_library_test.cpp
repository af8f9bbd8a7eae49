// Several cards sorted one after another into one photo library, and the file systems such a
// library lives on: no photo may be lost, overwritten or described by another's record.
#include "platform/valid_utf8.h"
#include "records/record_lines.h"
#include "records/record_reader.h"
#include "tests/cli_sort_fixture.h"

#include <filesystem>
#include <set>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string Element(const std::string& recordPath, const std::string& name) {
    std::string text;
    if (!ReadRecordText(recordPath, text) || text.find("</" + name + ">") == std::string::npos) {
        return "<" + name + " missing>";
    }
    return FindElement(name, text);
}

// The photos below `root` and their records, with their bytes and times: what a second import
// must leave alone.
std::map<std::string, std::string> Photos(const std::string& root) {
    std::map<std::string, std::string> photos;
    for (const auto& [path, facts] : Snapshot(root)) {
        if (path.ends_with(".JPG") || path.ends_with(".jpg") || path.ends_with("TSF.XML")) {
            photos[path] = facts;
        }
    }
    return photos;
}

std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') {
            names.insert(entry.path().filename().string());
        }
    }
    return names;
}

const std::string kRenamedOne = "1 copied under a new name: a different photo held the name\n";

} // namespace

TEST_F(CliSort, keepsThePhotosOfTwoCardsShotInOneMinuteEachWithItsOwnRecord) {
    TempDir cardA;
    TempDir cardB;
    const std::string a = cardA.path() + "DCIM/100CAMERA/DSC00001.JPG";
    const std::string b = cardB.path() + "DCIM/100CAMERA/DSC00001.JPG";
    WriteFile(a, ExifPhoto("2024:05:03 10:00:12"));
    WriteFile(b, ExifPhoto("2024:05:03 10:00:40"));
    const std::string day = out.path() + "2024(令和6)年/05月03日/";

    EXPECT_EQ(Sort(cardA.path(), out.path()).out, "1 copied, 0 skipped, 0 failed\n");
    const CliRun second = Sort(cardB.path(), out.path());
    EXPECT_EQ(second.status, 0);
    EXPECT_EQ(second.out, kRenamedOne + "1 copied, 0 skipped, 0 failed\n");
    EXPECT_EQ(ReadFile(day + "10時00分.JPG"), ReadFile(a));
    EXPECT_EQ(ReadFile(day + "10時00分-1.JPG"), ReadFile(b));
    EXPECT_EQ(Element(day + "TSFXML/10時00分TSF.XML", "OrgDirectoryPathName"), a);
    EXPECT_EQ(Element(day + "TSFXML/10時00分TSF.XML", "DateTimeOriginal"), "2024:05:03 10:00:12");
    EXPECT_EQ(Element(day + "TSFXML/10時00分-1TSF.XML", "OrgDirectoryPathName"), b);
    EXPECT_EQ(Element(day + "TSFXML/10時00分-1TSF.XML", "TransTitleFileName"), "10時00分-1.JPG");

    // The last card once more, a second later: everything is there already, and nothing is
    // written, not even a record or a folder's time.
    const auto library = Snapshot(out.path());
    sleep(1);
    EXPECT_EQ(Sort(cardB.path(), out.path()).out, "0 copied, 1 skipped, 0 failed\n");
    EXPECT_EQ(Snapshot(out.path()), library);
    // The first card again: only the folders' records change, to tell of this run's oldest photo.
    const auto paths = PathsBelow(out.path());
    const auto photos = Photos(out.path());
    EXPECT_EQ(Sort(cardA.path(), out.path()).out, "0 copied, 1 skipped, 0 failed\n");
    EXPECT_EQ(PathsBelow(out.path()), paths);
    EXPECT_EQ(Photos(out.path()), photos);
    EXPECT_EQ(Element(day + "TSFXML/10時00分TSF.XML", "OrgDirectoryPathName"), a);
}

TEST_F(CliSort, givesEveryPhotoOfOneRunANameOfItsOwnWhateverTheOptions) {
    // Two days at one place, whose day folders a title of the place alone makes one.
    TempDir days;
    for (const auto& [file, date] :
         std::map<std::string, std::string>{{"100/A.JPG", "2010:08:15 09:00:00"},
                                            {"100/B.JPG", "2010:08:15 09:30:00"},
                                            {"101/C.JPG", "2010:08:16 09:00:00"},
                                            {"101/D.JPG", "2010:08:16 09:30:00"}}) {
        WriteFile(days.path() + file, ExifPhoto(date, kKyotoLatitude, kKyotoLongitude));
    }
    const CliRun merged = Sort(days.path(), out.path() + "merged", "--set 2_1_CB=2 --set 3_1_CB=3");
    EXPECT_EQ(merged.out, "4 copied, 0 skipped, 0 failed\n");
    const std::string place = out.path() + "merged/" + kYear2010 + "京都府/";
    EXPECT_EQ(Names(place), (std::set<std::string>{"1-1.JPG", "1-2.JPG", "2-1.JPG", "2-2.JPG"}));
    EXPECT_EQ(ReadFile(place + "1-2.JPG"), ReadFile(days.path() + "101/C.JPG"));

    // Earlier file names that repeat, with either extension, or that a number would give.
    TempDir names;
    int second = 0;
    for (const char* file :
         {"100/img_0001.jpg", "101/img_0001.jpg", "100/X-1.JPG", "100/X.JPG", "101/X.JPG"}) {
        WriteFile(names.path() + file, ExifPhoto("2010:08:15 09:00:0" + std::to_string(++second)));
    }
    const CliRun earlier = Sort(names.path(), out.path() + "earlier", "--set 3_1_CB=2");
    EXPECT_EQ(earlier.out, "5 copied, 0 skipped, 0 failed\n");
    const std::string day = out.path() + "earlier/" + kYear2010 + "08月15日/";
    EXPECT_EQ(Names(day), (std::set<std::string>{"img_0001-1.jpg", "img_0001-2.jpg", "X-1.JPG",
                                                 "X-2.JPG", "X-3.JPG"}));
    EXPECT_EQ(ReadFile(day + "X-1.JPG"), ReadFile(names.path() + "100/X-1.JPG"));
}

TEST_F(CliSort, takesNamesDifferingOnlyInCaseForOneNameWhereTheFileSystemDoes) {
    TempDir names;
    WriteFile(names.path() + "100/IMG_0001.JPG", ExifPhoto("2010:08:15 09:00:01"));
    WriteFile(names.path() + "101/img_0001.JPG", ExifPhoto("2010:08:15 09:00:02"));
    const CliRun run =
        Sort(names.path(), out.path(), "--set 3_1_CB=2", "TESSARO_TEST_FILESYSTEM=casefold");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, kRenamedOne + "2 copied, 0 skipped, 0 failed\n");
    const std::string day = out.path() + kYear2010 + "08月15日/";
    EXPECT_EQ(Names(day), (std::set<std::string>{"IMG_0001.JPG", "img_0001-1.JPG"}));
    EXPECT_EQ(ReadFile(day + "img_0001-1.JPG"), ReadFile(names.path() + "101/img_0001.JPG"));
}

TEST_F(CliSort, copiesAPhotoThatTwoFoldersLeadToOnce) {
    fs::create_directory_symlink(card.path() + "DCIM/100CAMERA", card.path() + "DCIM/000LINK");
    const CliRun run = Sort(card.path(), out.path());
    EXPECT_EQ(run.out, kCardNotImported + "3 copied, 0 skipped, 0 failed\n");
    EXPECT_EQ(Names(out.path() + kDay0815),
              (std::set<std::string>{"09時05分京都市.JPG", "09時06分.JPG"}));
}

TEST_F(CliSort, copiesOntoFuseMountsAndCountsErrorsReportedAtCloseOrSyncAsFailures) {
    const CliRun fuse = Sort(card.path(), out.path() + "fuse", "", "TESSARO_TEST_FILESYSTEM=fuse");
    EXPECT_EQ(fuse.status, 0);
    EXPECT_EQ(fuse.out, kCardNotImported + "3 copied, 0 skipped, 0 failed\n");
    EXPECT_EQ(Photos(out.path() + "fuse").size(), 6u); // three photos and their records
    for (const std::string& path : PathsBelow(out.path() + "fuse")) {
        EXPECT_EQ(path.find(".tessaro-"), std::string::npos) << path;
    }

    const CliRun close = Sort(card.path(), out.path() + "close", "",
                              "TESSARO_TEST_FILESYSTEM='close-fails=09時06分'");
    EXPECT_EQ(close.status, 1);
    EXPECT_EQ(close.out, kCardNotImported + "2 copied, 0 skipped, 1 failed\n");
    EXPECT_NE(close.err.find("写真をコピーできませんでした: " + card.path() +
                             "DCIM/100CAMERA/IMG_0002.JPG → " + out.path() + "close/" + kDay0815 +
                             "09時06分.JPG: ディスクの読み書きに失敗しました（入出力エラー）"),
              std::string::npos)
        << close.err;
    const auto left = PathsBelow(out.path() + "close");
    EXPECT_FALSE(left.count(kDay0815 + "09時06分.JPG"));
    EXPECT_FALSE(left.count(kDay0815 + "TSFXML/09時06分TSF.XML"));

    const CliRun sync =
        Sort(card.path(), out.path() + "sync", "", "TESSARO_TEST_FILESYSTEM=syncfs-fails");
    EXPECT_EQ(sync.status, 1);
    EXPECT_EQ(sync.out, kCardNotImported + "0 copied, 0 skipped, 3 failed\n");
    EXPECT_NE(sync.err.find("コピーがディスクに書き込まれたことを確かめられませんでした: " +
                            out.path() + "sync/: ディスクの読み書きに失敗しました（入出力エラー）"),
              std::string::npos)
        << sync.err;
}

TEST_F(CliSort, failsACopyThatReadsBackOtherBytesUnlessTheSettingsTurnTheReadBackOff) {
    const std::string differs = "TESSARO_TEST_FILESYSTEM='reads-differ=09時06分'";
    const CliRun checked = Sort(card.path(), out.path() + "checked", "", differs);
    EXPECT_EQ(checked.status, 1);
    EXPECT_EQ(checked.out, kCardNotImported + "2 copied, 0 skipped, 1 failed\n");
    EXPECT_NE(checked.err.find("コピーを読み返すと元の写真と違いました: " + card.path() +
                               "DCIM/100CAMERA/IMG_0002.JPG → " + out.path() + "checked/" +
                               kDay0815 + "09時06分.JPG"),
              std::string::npos)
        << checked.err;
    EXPECT_EQ(Photos(out.path() + "checked").size(), 4u); // two photos and their records

    WriteFile(home.path() + "tessaroInit.Ini", "[Service]\nVerifyCopies=0\n");
    const CliRun unchecked = Sort(card.path(), out.path() + "unchecked", "", differs);
    EXPECT_EQ(unchecked.status, 0) << unchecked.err;
    EXPECT_EQ(unchecked.out, kCardNotImported + "3 copied, 0 skipped, 0 failed\n");
}

TEST_F(CliSort, recordsAbsolutePathsForRelativeFoldersAndClearsWhatAKilledRunLeft) {
    const std::string library = out.path() + "library/";
    for (const std::string& left : std::vector<std::string>{
             ".tessaro-4242-1.tmp", kDay0815 + ".tessaro-copy-0123456789abcdef",
             kDay0815 + "TSFXML/.tessaro-4242-2.tmp"}) {
        WriteFile(library + left, "written half-way by a run that was killed");
    }
    const std::string toLibrary = fs::relative(library, card.path()).string();
    const CliRun run = Cli("--settings " + Quoted(home.path() + "tessaroInit.Ini") +
                               " --geocode-url " + server.url() + " sort DCIM " + Quoted(toLibrary),
                           "cd " + Quoted(card.path()) + " &&");
    EXPECT_EQ(run.out, kCardNotImported + "3 copied, 0 skipped, 0 failed\n");
    const std::string record = library + kDay0815 + "TSFXML/09時05分京都市TSF.XML";
    EXPECT_EQ(Element(record, "OrgDirectoryPathName"), card.path() + "DCIM/100CAMERA/DSC01234.JPG");
    EXPECT_EQ(Element(record, "TransDirectoryPathName"), library + kDay0815 + "09時05分京都市.JPG");
    for (const std::string& path : PathsBelow(library)) {
        EXPECT_EQ(path.find(".tessaro-"), std::string::npos) << path;
    }
}

TEST_F(CliSort, stopsOnCtrlCAfterThePhotoAtHandLeavingOnlyWholeCopiesWithRecords) {
    const CliRun run = Sort(card.path(), out.path(), "",
                            "TESSARO_TEST_FILESYSTEM='interrupt-at=09時05分京都市.JPG'");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, kCardNotImported +
                           "2 not copied: the copy was stopped\n1 copied, 0 skipped, 0 failed\n");
    EXPECT_NE(run.err.find("中止したのでコピーしていません: " + card.path()), std::string::npos)
        << run.err;
    std::set<std::string> files;
    for (const std::string& path : PathsBelow(out.path())) {
        if (!path.ends_with("/") && !path.ends_with(".hidden")) {
            files.insert(path);
        }
    }
    EXPECT_EQ(files, (std::set<std::string>{"TS1XML/2010(平成22)年TS1.XML",
                                            kYear2010 + "TS2XML/08月15日京都府TS2.XML",
                                            kDay0815 + "09時05分京都市.JPG",
                                            kDay0815 + "TSFXML/09時05分京都市TSF.XML"}));
    EXPECT_EQ(
        Element(out.path() + kDay0815 + "TSFXML/09時05分京都市TSF.XML", "TransDirectoryPathName"),
        out.path() + kDay0815 + "09時05分京都市.JPG");
}

TEST_F(CliSort, importsNothingTwiceIntoALibraryWhoseFoldersWereRenamedOrWhoseTitlesChanged) {
    ASSERT_EQ(Sort(card.path(), out.path()).out,
              kCardNotImported + "3 copied, 0 skipped, 0 failed\n");
    fs::rename(out.path() + kDay0815, out.path() + kYear2010 + "08月15日沖縄旅行");
    fs::rename(out.path() + kYear2011, out.path() + "2011年の写真");
    const auto library = Snapshot(out.path());
    // Other year and file titles as well: no photo would land where it lies.
    const CliRun again = Sort(card.path(), out.path(), "--set 1_1_ShootYear=0 --set 3_1_CB=3");
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out, kCardNotImported + "0 copied, 3 skipped, 0 failed\n");
    EXPECT_EQ(Snapshot(out.path()), library) << "no folder, copy or record was written";
}

// A record describes the file beside it only while nobody renamed, swapped or replaced that file.
TEST_F(CliSort, filesEachPhotoOfALibraryUnderItsOwnDateAfterTwoCopiesSwappedNames) {
    const std::string library = out.path() + "library/";
    ASSERT_EQ(Sort(card.path(), library).out, kCardNotImported + "3 copied, 0 skipped, 0 failed\n");
    const std::string in2010 = library + kDay0815 + "09時06分.JPG";
    const std::string in2011 = library + kDay0101 + "00時00分.JPG";
    fs::rename(in2010, library + "swap.JPG");
    fs::rename(in2011, in2010);
    fs::rename(library + "swap.JPG", in2011);

    const std::string again = out.path() + "again/";
    EXPECT_EQ(Sort(library, again).out, "3 copied, 0 skipped, 0 failed\n");
    EXPECT_EQ(ReadFile(again + kDay0815 + "09時06分.JPG"),
              ReadFile(card.path() + "DCIM/100CAMERA/IMG_0002.JPG"));
    EXPECT_EQ(ReadFile(again + kDay0101 + "00時00分.JPG"),
              ReadFile(card.path() + "DCIM/101CAMERA/DSC00003.JPG"));
    const std::string swapped = again + kDay0101 + "TSFXML/00時00分TSF.XML";
    EXPECT_EQ(Element(swapped, "DateTimeOriginal"), "2011:01:01 00:00:00");
    EXPECT_EQ(Element(swapped, "BeforeFileName1"), "09時06分.JPG");
    EXPECT_EQ(Element(swapped, "BeforeFileName2"), "<BeforeFileName2 missing>")
        << "the other photo's history";
    // The photo left in place is recognised: its history goes on.
    const std::string kept = again + kDay0815 + "TSFXML/09時05分京都市TSF.XML";
    EXPECT_EQ(Element(kept, "BeforeFileName1"), "DSC01234.JPG");
    EXPECT_EQ(Element(kept, "BeforeFileName2"), "09時05分京都市.JPG");
}

// A record that says nothing, one larger than any record, and one of an impossible date and place
// used to file their dated photos under "1/1/1.JPG" and "2150(令和132)年".
TEST_F(CliSort, takesNoDateFromAGarbageAnOversizedOrAnImpossibleRecord) {
    TempDir odd;
    WriteFile(odd.path() + "A.JPG", ExifPhoto("2010:08:15 09:01:00"));
    WriteFile(odd.path() + "TSFXML/ATSF.XML", "garbage\r\nlines\r\n");
    WriteFile(odd.path() + "B.JPG", ExifPhoto("2010:08:15 09:02:00"));
    WriteFile(odd.path() + "TSFXML/BTSF.XML",
              std::string(kMaxRecordBytes, ' ') +
                  "\r\n<ExifStatus>1</ExifStatus>\r\n"
                  "<DateTimeOriginal>2010:08:15 09:02:00</DateTimeOriginal>\r\n");
    WriteFile(odd.path() + "C.JPG", ExifPhoto("2010:08:15 09:03:00"));
    WriteFile(odd.path() + "TSFXML/CTSF.XML",
              "<?xml version=1.0?>\r\n<TessaroFile>\r\n<ExifStatus>1</ExifStatus>\r\n"
              "<DateTimeOriginal>2150:01:01 10:00:00</DateTimeOriginal>\r\n"
              "<GPSLatitude>91.000000</GPSLatitude>\r\n<GPSLongitude>135.000000</GPSLongitude>\r\n"
              "<TransDirectoryPathName>/old/C.JPG</TransDirectoryPathName>\r\n</TessaroFile>\r\n");
    const CliRun run = Sort(odd.path(), out.path());
    EXPECT_TRUE(run.out.ends_with("3 copied, 0 skipped, 0 failed\n")) << run.out;
    const std::string day = out.path() + kYear2010 + "08月15日/";
    EXPECT_EQ(Names(day), (std::set<std::string>{"09時01分.JPG", "09時02分.JPG", "09時03分.JPG"}));
    EXPECT_EQ(ReadFile(day + "09時03分.JPG"), ReadFile(odd.path() + "C.JPG"));
    EXPECT_EQ(Element(day + "TSFXML/09時03分TSF.XML", "GPSLatitude"), "0.000000");
}

// Linux names need not be UTF-8 and may hold a line break. The copy of the one keeps its name (the
// title drops the line break of the other); their records are UTF-8 where they say so, one
// element a line, and a later sort of the copies recognises them.
TEST_F(CliSort, keepsNamesThatAreNoUtf8AndRecordsThemAndNamesWithLineBreaksInWholeLines) {
    TempDir names;
    WriteFile(names.path() + "caf\xff.JPG", ExifPhoto("2010:08:15 09:01:00"));
    WriteFile(names.path() + "a\nb.JPG", ExifPhoto("2010:08:15 09:02:00"));
    const std::string library = out.path() + "library/";
    ASSERT_EQ(Sort(names.path(), library, "--set 3_1_CB=2").out, "2 copied, 0 skipped, 0 failed\n");
    const std::string day = library + kYear2010 + "08月15日/";
    EXPECT_EQ(Names(day), (std::set<std::string>{"caf\xff.JPG", "ab.JPG"}));
    EXPECT_EQ(ReadFile(day + "caf\xff.JPG"), ReadFile(names.path() + "caf\xff.JPG"));
    const std::string utf8 = ReadFile(day + "TSFXML/caf\xffTSF.XML");
    EXPECT_TRUE(utf8.starts_with("<?xml version=1.0 encoding=UTF-8?>\r\n"));
    EXPECT_EQ(ValidUtf8(utf8), utf8);
    EXPECT_EQ(Element(day + "TSFXML/caf\xffTSF.XML", "TransTitleFileName"), "caf\xef\xbf\xbd.JPG");
    const std::string broken = ReadFile(day + "TSFXML/abTSF.XML");
    for (std::size_t at = 0; (at = broken.find('\n', at)) != std::string::npos; ++at) {
        EXPECT_EQ(broken[at - 1], '\r') << "at " << at;
    }
    EXPECT_EQ(Element(day + "TSFXML/abTSF.XML", "OrgTitleFileName"), "a b.JPG");

    const std::string again = out.path() + "again/" + kYear2010 + "08月15日/TSFXML/";
    ASSERT_EQ(Sort(library, out.path() + "again", "--set 3_1_CB=2").out,
              "2 copied, 0 skipped, 0 failed\n");
    EXPECT_EQ(Element(again + "caf\xffTSF.XML", "BeforeFileName1"), "caf\xef\xbf\xbd.JPG");
    EXPECT_EQ(Element(again + "caf\xffTSF.XML", "BeforeFileName2"), "caf\xef\xbf\xbd.JPG");
    EXPECT_EQ(Element(again + "abTSF.XML", "BeforeFileName2"), "ab.JPG");
}

TEST_F(CliSort, failsEveryPhotoOnceTheDestinationGoesAndNeverWritesAtItsPathAgain) {
    const std::string gone = out.path() + "gone/";
    const std::string first = card.path() + "DCIM/100CAMERA/DSC01234.JPG";
    const CliRun removed = Sort(card.path(), out.path() + "gone", "",
                                "TESSARO_TEST_FILESYSTEM=destination-gone-after=1");
    EXPECT_EQ(removed.status, 1);
    EXPECT_EQ(removed.out, kCardNotImported + "0 copied, 0 skipped, 3 failed\n");
    EXPECT_FALSE(fs::exists(gone)) << "never made anew";
    for (const std::string& said :
         {"コピー先のフォルダがなくなりました: " + gone,
          "コピー先のフォルダがないのでコピーしていません: " + card.path() +
              "DCIM/100CAMERA/IMG_0002.JPG",
          "コピー先のフォルダがないのでコピーしていません: " + card.path() +
              "DCIM/101CAMERA/DSC00003.JPG",
          "コピーを読み返して確かめられませんでした: " + first + " → " + gone + kDay0815}) {
        EXPECT_NE(removed.err.find(said), std::string::npos) << said << "\n" << removed.err;
    }
    EXPECT_EQ(removed.err.find("隠しファイルの一覧"), std::string::npos)
        << "the lists went with their folders: no failure of their own";

    WriteFile(home.path() + "tessaroInit.Ini", "[Service]\nVerifyCopies=0\n");
    const CliRun unchecked = Sort(card.path(), out.path() + "gone", "",
                                  "TESSARO_TEST_FILESYSTEM=destination-gone-after=1");
    EXPECT_EQ(unchecked.status, 1);
    EXPECT_EQ(unchecked.out, kCardNotImported + "0 copied, 0 skipped, 3 failed\n");
    EXPECT_NE(unchecked.err.find("コピーがなくなっていました: " + first + " → " + gone),
              std::string::npos)
        << unchecked.err;

    // As a disk unmounted lazily leaves its bare mount point at the path.
    const CliRun moved = Sort(card.path(), out.path() + "moved", "",
                              "TESSARO_TEST_FILESYSTEM=destination-moved-after=1");
    EXPECT_EQ(moved.status, 1);
    EXPECT_EQ(moved.out, kCardNotImported + "1 copied, 0 skipped, 2 failed\n");
    EXPECT_TRUE(PathsBelow(out.path() + "moved").empty());
    EXPECT_TRUE(fs::exists(out.path() + "moved.moved/" + kDay0815 + "09時05分京都市.JPG"));
}

TEST_F(CliSort, replacesLinksInTheLibraryWithoutWritingWhatTheyNameAndRefusesLinkedFolders) {
    TempDir elsewhere;
    const std::string outside = elsewhere.path() + "list";
    WriteFile(outside, "mine\n");
    const std::string record = "TS1XML/2010(平成22)年TS1.XML";
    fs::create_directories(out.path() + kDay0815 + "TSFXML");
    fs::create_directories(out.path() + "TS1XML");
    for (const std::string& link : {std::string(".hidden"), kDay0815 + "TSFXML/.hidden", record}) {
        fs::create_symlink(outside, out.path() + link);
    }
    fs::create_directory(elsewhere.path() + "year");
    fs::create_directory_symlink(elsewhere.path() + "year", out.path() + "2011(平成23)年");
    const CliRun run = Sort(card.path(), out.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(ReadFile(outside), "mine\n");
    EXPECT_TRUE(fs::is_empty(elsewhere.path() + "year"));
    for (const std::string& link : {std::string(".hidden"), kDay0815 + "TSFXML/.hidden", record}) {
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(out.path() + link))) << link;
    }
    EXPECT_EQ(ReadFile(out.path() + ".hidden"), "mine\nTS1XML\n");
    EXPECT_NE(ReadFile(out.path() + record).find("<?xml"), std::string::npos);
    EXPECT_NE(run.err.find("写真をコピーできませんでした: " + card.path() +
                           "DCIM/101CAMERA/DSC00003.JPG"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.out, kCardNotImported + "2 copied, 0 skipped, 1 failed\n");
}
