#include "platform/cp932.h"
#include "tests/cli_sort_fixture.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

TEST_F(CliSort, copiesACardIntoTitledFoldersWithHiddenRecords) {
    const CliRun run = Sort(card.path(), out.path() + "sorted");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, kCardNotImported + "3 copied, 0 skipped, 0 failed\n");
    EXPECT_EQ(requests.load(), 1);
    const std::string sorted = out.path() + "sorted/";
    EXPECT_EQ(PathsBelow(sorted), (std::set<std::string>{".hidden",
                                                         "TS1XML/",
                                                         "TS1XML/.hidden",
                                                         "TS1XML/2010(平成22)年TS1.XML",
                                                         "TS1XML/2011(平成23)年TS1.XML",
                                                         kYear2010,
                                                         kYear2010 + ".hidden",
                                                         kYear2010 + "TS2XML/",
                                                         kYear2010 + "TS2XML/.hidden",
                                                         kYear2010 + "TS2XML/08月15日京都府TS2.XML",
                                                         kDay0815,
                                                         kDay0815 + ".hidden",
                                                         kDay0815 + "09時05分京都市.JPG",
                                                         kDay0815 + "09時06分.JPG",
                                                         kDay0815 + "TSFXML/",
                                                         kDay0815 + "TSFXML/.hidden",
                                                         kDay0815 + "TSFXML/09時05分京都市TSF.XML",
                                                         kDay0815 + "TSFXML/09時06分TSF.XML",
                                                         kYear2011,
                                                         kYear2011 + ".hidden",
                                                         kYear2011 + "TS2XML/",
                                                         kYear2011 + "TS2XML/.hidden",
                                                         kYear2011 + "TS2XML/01月01日TS2.XML",
                                                         kDay0101,
                                                         kDay0101 + ".hidden",
                                                         kDay0101 + "00時00分.JPG",
                                                         kDay0101 + "TSFXML/",
                                                         kDay0101 + "TSFXML/.hidden",
                                                         kDay0101 + "TSFXML/00時00分TSF.XML"}));
    EXPECT_EQ(ReadFile(sorted + kDay0815 + "09時05分京都市.JPG"),
              ReadFile(card.path() + "DCIM/100CAMERA/DSC01234.JPG"));
    EXPECT_EQ(ReadFile(sorted + ".hidden"), "TS1XML\n");
    EXPECT_EQ(ReadFile(sorted + kDay0815 + ".hidden"), "TSFXML\n");

    // The record, in CP932 with the time of writing masked.
    std::string record = ReadFile(sorted + kDay0815 + "TSFXML/09時05分京都市TSF.XML");
    const std::string written = "<DateTimeTransTitleFileName>";
    const std::size_t at = record.find(written);
    ASSERT_NE(at, std::string::npos);
    record.replace(at + written.size(), 19, "NOW");
    const std::string expected =
        "<?xml version=1.0?>\r\n<TessaroFile>\r\n<VersionNumber>TessaroV2.5</VersionNumber>\r\n"
        "<ExifStatus>1</ExifStatus>\r\n<OrgDirectoryPathName>" +
        card.path() +
        "DCIM/100CAMERA/DSC01234.JPG</OrgDirectoryPathName>\r\n"
        "<OrgTitleFileName>DSC01234.JPG</OrgTitleFileName>\r\n"
        "<DateTimeOriginal>2010:08:15 09:05:30</DateTimeOriginal>\r\n"
        "<1stDateTimeFileRec></1stDateTimeFileRec>\r\n<GPSLatitude>35.000000</GPSLatitude>\r\n"
        "<GPSLongitude>135.766667</GPSLongitude>\r\n<ShortAddress01>日本</ShortAddress01>\r\n"
        "<ShortAddress02>京都府</ShortAddress02>\r\n<ShortAddress03>京都市</ShortAddress03>\r\n"
        "<ShortAddress04>東山区</ShortAddress04>\r\n<ShortAddress05>清水</ShortAddress05>\r\n"
        "<ShortAddress06>１丁目</ShortAddress06>\r\n<ShortAddress07>２９４</ShortAddress07>\r\n"
        "<FullAddress>日本京都府京都市東山区清水１丁目２９４</FullAddress>\r\n"
        "<ShortUserFileName1></ShortUserFileName1>\r\n<TransDirectoryPathName>" +
        sorted + kDay0815 +
        "09時05分京都市.JPG</TransDirectoryPathName>\r\n"
        "<TransTitleFileName>09時05分京都市.JPG</TransTitleFileName>\r\n"
        "<DateTimeTransTitleFileName>NOW</DateTimeTransTitleFileName>\r\n"
        "<BeforeFileName1>DSC01234.JPG</BeforeFileName1>\r\n"
        "<DateTimeBeforeFileName1>2010:08:15 09:05:30</DateTimeBeforeFileName1>\r\n"
        "<OrgDCFFileName>DSC01234.JPG</OrgDCFFileName>\r\n<NewDCFFileName></NewDCFFileName>\r\n"
        "</TessaroFile>\r\n";
    EXPECT_EQ(record, Utf8ToCp932Strict(expected).value_or("no CP932 form"));
}

TEST_F(CliSort, recognisesEarlierCopiesFromTheirRecordsAndCarriesTheirNamesOn) {
    ASSERT_EQ(Sort(card.path(), out.path() + "first").status, 0);
    const std::string first = out.path() + "first/";
    // The places come from the records: the service is not asked again.
    const int requestsBefore = requests.load();
    const CliRun run = Sort(first, out.path() + "second", "--set 3_1_CB=2");
    EXPECT_EQ(run.out, "3 copied, 0 skipped, 0 failed\n");
    EXPECT_EQ(requests.load(), requestsBefore);
    const std::string second = out.path() + "second/";
    EXPECT_TRUE(fs::exists(second + kDay0815 + "09時05分京都市.JPG"));
    EXPECT_TRUE(fs::exists(second + kDay0815 + "09時06分.JPG"));
    EXPECT_TRUE(fs::exists(second + kDay0101 + "00時00分.JPG"));
    const std::string record =
        Cp932ToUtf8Replacing(ReadFile(second + kDay0815 + "TSFXML/09時05分京都市TSF.XML"));
    EXPECT_NE(record.find("<BeforeFileName1>DSC01234.JPG</BeforeFileName1>\r\n"
                          "<DateTimeBeforeFileName1>2010:08:15 09:05:30</DateTimeBeforeFileName1>"
                          "\r\n<BeforeFileName2>09時05分京都市.JPG</BeforeFileName2>\r\n"
                          "<DateTimeBeforeFileName2>2010:08:15 09:05:30</DateTimeBeforeFileName2>"),
              std::string::npos)
        << record;
    EXPECT_NE(record.find("<ExifStatus>1</ExifStatus>"), std::string::npos);
}

TEST_F(CliSort, keepsPlaceNamesInsideTheDestinationAndWritableOnCardFileSystems) {
    // Finest first, as the service answers: the photo's places become 京/都?, 日:本…, "..".
    setAnswer("<GeocodeResponse><status>OK</status><result><address_component><long_name>.."
              "</long_name></address_component><address_component><long_name>日:本*\\<>|\""
              "</long_name></address_component><address_component><long_name>京/都?"
              "</long_name></address_component></result></GeocodeResponse>");
    const CliRun run = Sort(card.path(), out.path() + "in", "--set 2_2_Place=0 --set 3_2_Place=1");
    EXPECT_EQ(run.status, 0);
    for (const std::string& path : PathsBelow(out.path())) {
        EXPECT_EQ(path.rfind("in", 0), 0u) << path;
    }
    const std::string day = out.path() + "in/" + kYear2010 + "08月15日京／都？/";
    EXPECT_TRUE(fs::exists(day + "09時05分日：本＊＼＜＞｜＂.JPG"));
    EXPECT_TRUE(fs::exists(day + "TSFXML/09時05分日：本＊＼＜＞｜＂TSF.XML"));
}

TEST_F(CliSort, refusesUnusableFoldersBeforeTouchingAnything) {
    EXPECT_EQ(Sort(card.path(), card.path() + "DCIM/sorted").status, 2);
    EXPECT_FALSE(fs::exists(card.path() + "DCIM/sorted"));
    EXPECT_EQ(Sort(card.path(), card.path()).status, 2);
    const std::set<std::string> cardBefore = PathsBelow(card.path());
    EXPECT_EQ(Sort(card.path() + "DCIM", card.path()).status, 2) << "a destination holding it";
    EXPECT_EQ(PathsBelow(card.path()), cardBefore);
    EXPECT_EQ(Cli("sort " + Quoted(out.path() + "missing") + " " + Quoted(out.path() + "x")).status,
              2);
    EXPECT_EQ(Sort(card.path(), "/proc/tessaro-sorted").status, 2);
    EXPECT_EQ(Cli("--set 9_9=1 plan " + Quoted(card.path())).status, 2);
    EXPECT_EQ(Cli("--set 3_1_CB plan " + Quoted(card.path())).status, 2);
    EXPECT_EQ(Cli("plan").status, 2);
    EXPECT_TRUE(PathsBelow(out.path()).empty());
}

TEST_F(CliSort, sortsAnEmptyCardIntoNothingAndPlansTheTree) {
    TempDir empty;
    WriteFile(empty.path() + "notes.txt", "no photos");
    const CliRun run = Sort(empty.path(), out.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "not imported: 1 other file\n0 copied, 0 skipped, 0 failed\n");
    EXPECT_TRUE(PathsBelow(out.path()).empty());

    const CliRun plan = Cli("--settings " + Quoted(home.path() + "tessaroInit.Ini") +
                            " --no-geocode --set 1_1_ShootYear=0 plan " + Quoted(card.path()));
    EXPECT_EQ(plan.status, 0);
    EXPECT_EQ(plan.out, kCardNotImported +
                            "2010年\n  08月15日\n    09時05分.JPG\n    09時06分.JPG\n2011年\n"
                            "  01月01日\n    00時00分.JPG\n");
    EXPECT_EQ(requests.load(), 0);
}

TEST_F(CliSort, countsAndListsTheFilesThatStayOnTheCardBeforeItsResult) {
    const std::string camera = card.path() + "DCIM/100CAMERA/";
    for (const char* name : {"DSC01234.ARW", "DSC09999.ARW", "MOV_0001.MP4", "MOV_0002.MOV",
                             "screen.png", "index.dat", ".DS_Store"}) {
        WriteFile(camera + name, "x");
    }
    // Hidden as a file manager hides them: photos there count, record folders and empty ones not.
    const std::string dcim = card.path() + "DCIM/";
    WriteFile(dcim + ".hidden", "old\nTSFXML\nempty\n");
    WriteFile(dcim + "old/IMG_0001.JPG", "x");
    WriteFile(dcim + "TSFXML/09時05分TSF.XML", "x");
    fs::create_directory(dcim + "empty");
    const std::string settings = "--settings " + Quoted(home.path() + "tessaroInit.Ini");
    const CliRun plan = Cli(settings + " --no-geocode --list-skipped --set 1_1_ShootYear=0 plan " +
                            Quoted(card.path()));
    EXPECT_EQ(plan.status, 0);
    EXPECT_EQ(plan.out,
              "not imported: 2 videos / 1 RAW only / 1 other picture / 2 other files / 2 photos "
              "in hidden folders\n"
              "video\t" +
                  camera + "MOV_0001.MP4\nvideo\t" + camera +
                  "MOV_0002.MOV\n"
                  "raw-only\t" +
                  camera + "DSC09999.ARW\npicture\t" + camera +
                  "screen.png\n"
                  "other\t" +
                  camera + "index.dat\nother\t" + dcim + "notes.txt\nhidden\t" + dcim +
                  ".thumbs/DSC09999.JPG\nhidden\t" + dcim +
                  "old/IMG_0001.JPG\n"
                  "2010年\n  08月15日\n    09時05分.JPG\n    09時06分.JPG\n2011年\n  01月01日\n"
                  "    00時00分.JPG\n");

    const CliRun run = Sort(card.path(), out.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.starts_with("not imported: 2 videos / 1 RAW only / 1 other picture / 2 "
                                    "other files / 2 photos in hidden folders\n"))
        << run.out;
    EXPECT_TRUE(run.out.ends_with("\n3 copied, 0 skipped, 0 failed\n")) << run.out;
    EXPECT_EQ(run.out.find('\t'), std::string::npos) << "listed only when asked";
}

// A folder that cannot be read (another user's, a failing card's) holds photos that are not
// copied: said by name, counted, and the run fails, so that the card is not formatted.
TEST_F(CliSort, namesAndCountsAFolderItCouldNotReadAndFails) {
    const std::string unreadable = "TESSARO_TEST_FILESYSTEM=unreadable=101CAMERA";
    const std::string named = "could not read folder: " + card.path() +
                              "DCIM/101CAMERA/: " + std::strerror(EACCES) + "\n";
    const CliRun run = Sort(card.path(), out.path(), "", unreadable);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              kCardNotImported + "1 folder could not be read\n2 copied, 0 skipped, 0 failed\n");
    EXPECT_EQ(run.err, named);
    EXPECT_EQ(PathsBelow(out.path()).count(kDay0815 + "09時06分.JPG"), 1u);

    const CliRun plan = Cli("--settings " + Quoted(home.path() + "tessaroInit.Ini") +
                                " --no-geocode --set 1_1_ShootYear=0 plan " + Quoted(card.path()),
                            unreadable);
    EXPECT_EQ(plan.status, 1);
    EXPECT_EQ(plan.out, kCardNotImported +
                            "1 folder could not be read\n2010年\n  08月15日\n    09時05分.JPG\n"
                            "    09時06分.JPG\n");
    EXPECT_EQ(plan.err, named);
}

TEST_F(CliSort, drawsAProgressBarOnlyOnATerminal) {
    const auto both = [](const std::string& command) {
        std::string shown;
        FILE* pipe = popen((command + " 2>&1").c_str(), "r");
        char buffer[4096];
        for (std::size_t got;
             pipe != nullptr && (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            shown.append(buffer, got);
        }
        if (pipe != nullptr) {
            pclose(pipe);
        }
        return shown;
    };
    const std::string command = std::string(TESSARO_CLI) + " --no-geocode --settings " +
                                Quoted(home.path() + "tessaroInit.Ini") + " plan " +
                                Quoted(card.path());
    // `script` gives the program a terminal; both of its outputs then come back through it.
    const std::string shown = both("script -qec " + Quoted(command) + " /dev/null");
    EXPECT_NE(shown.find("reading    [" + std::string(30, '#') + "] 6/6"), std::string::npos)
        << shown;
    const std::string piped = both(command);
    EXPECT_NE(piped.find("2010("), std::string::npos) << piped;
    EXPECT_EQ(piped.find('#'), std::string::npos) << piped;
}

// No --geocode-url and a settings file that does not exist yet: the embedded geocoder answers,
// with no server and no network.
TEST(CliSortOffline, titlesByEveryPlaceLevelAndKeepsEveryComponentInTheRecords) {
    TempDir card;
    TempDir home;
    TempDir out;
    const Rationals kyotoLatitude = {{35, 1}, {0, 1}, {1296, 100}};   // 35.0036
    const Rationals kyotoLongitude = {{135, 1}, {46, 1}, {516, 100}}; // 135.7681
    const Rationals bieiLatitude = {{43, 1}, {35, 1}, {1824, 100}};   // 43.5884
    const Rationals bieiLongitude = {{142, 1}, {28, 1}, {192, 100}};  // 142.4672
    const Rationals pacificLatitude = {{30, 1}, {0, 1}, {0, 1}};
    const Rationals pacificLongitude = {{160, 1}, {0, 1}, {0, 1}};
    WriteFile(card.path() + "DCIM/100CAMERA/DSC00001.JPG",
              ExifPhoto("2010:08:15 09:05:30", kyotoLatitude, kyotoLongitude));
    WriteFile(card.path() + "DCIM/100CAMERA/DSC00002.JPG",
              ExifPhoto("2010:08:16 10:00:00", bieiLatitude, bieiLongitude));
    WriteFile(card.path() + "DCIM/100CAMERA/DSC00003.JPG",
              ExifPhoto("2010:08:17 11:30:00", pacificLatitude, pacificLongitude));
    const std::string settings = "--settings " + Quoted(home.path() + "tessaroInit.Ini");

    // 国, 都道府県, 市区町村, 地区名 (the ward in a designated city, the town elsewhere), すべて.
    const char* kyoto[] = {"日本", "京都府", "京都市", "下京区", "日本京都府京都市下京区御旅町"};
    const char* biei[] = {"日本", "北海道", "美瑛町", "本町四丁目", "日本北海道美瑛町本町四丁目"};
    for (int level = 0; level <= 4; ++level) {
        const std::string set = " --set 2_2_Place=" + std::to_string(level) +
                                " --set 3_2_Place=" + std::to_string(level);
        const CliRun plan = Cli(settings + set + " plan " + Quoted(card.path()));
        EXPECT_EQ(plan.status, 0);
        EXPECT_EQ(plan.out, std::string("2010(平成22)年\n") + "  08月15日" + kyoto[level] +
                                "\n    09時05分" + kyoto[level] + ".JPG\n  08月16日" + biei[level] +
                                "\n    10時00分" + biei[level] +
                                ".JPG\n  08月17日\n    11時30分.JPG\n")
            << level;
    }

    const CliRun run = Cli(settings + " sort " + Quoted(card.path()) + " " + Quoted(out.path()));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "3 copied, 0 skipped, 0 failed\n");
    EXPECT_TRUE(fs::exists(out.path() + kDay0815 + "09時05分京都市.JPG"));
    EXPECT_TRUE(fs::exists(out.path() + kYear2010 + "08月16日北海道/10時00分美瑛町.JPG"));
    EXPECT_TRUE(fs::exists(out.path() + kYear2010 + "08月17日/11時30分.JPG")) << "the open sea";
    EXPECT_FALSE(fs::exists(home.path() + "tessaroInit.Ini")) << "the CLI never writes settings";
    const std::string kyotoRecord = "TSFXML/09時05分京都市TSF.XML";
    const std::string components =
        "<ShortAddress01>日本</ShortAddress01>\r\n<ShortAddress02>京都府</ShortAddress02>\r\n"
        "<ShortAddress03>京都市</ShortAddress03>\r\n<ShortAddress04>下京区</ShortAddress04>\r\n"
        "<ShortAddress05>御旅町</ShortAddress05>";
    const std::string first = Cp932ToUtf8Replacing(ReadFile(out.path() + kDay0815 + kyotoRecord));
    EXPECT_NE(first.find(components), std::string::npos) << first;
    EXPECT_NE(first.find("<FullAddress>日本京都府京都市下京区御旅町</FullAddress>"),
              std::string::npos);

    // A rerun over the copies takes their places from the records: it has no geocoder at all.
    TempDir again;
    const CliRun rerun =
        Cli(settings + " --set 3_2_Place=4 sort " + Quoted(out.path()) + " " + Quoted(again.path()),
            "TESSARO_DATA_DIR=" + Quoted(home.path()));
    EXPECT_EQ(rerun.out, "3 copied, 0 skipped, 0 failed\n") << rerun.err;
    const std::string copied = kDay0815 + "09時05分日本京都府京都市下京区御旅町.JPG";
    EXPECT_TRUE(fs::exists(again.path() + copied));
    const std::string second = Cp932ToUtf8Replacing(
        ReadFile(again.path() + kDay0815 + "TSFXML/09時05分日本京都府京都市下京区御旅町TSF.XML"));
    EXPECT_NE(second.find(components), std::string::npos) << second;
}
