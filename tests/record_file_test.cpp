#include "platform/error_report.h"
#include "platform/shooting_time_text.h"
#include "platform/valid_utf8.h"
#include "records/record_paths.h"
#include "records/record_writer.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sys/stat.h>

namespace {

QELFileInfo Photo(const std::string& folder, const std::string& title) {
    QELFileInfo photo;
    photo.isFolder = 0;
    photo.level = 2;
    photo.title = title;
    photo.path = folder + title;
    return photo;
}

QELFileInfo Folder(const std::string& parent, const std::string& title, int level) {
    QELFileInfo folder;
    folder.isFolder = 1;
    folder.level = level;
    folder.title = title;
    folder.path = parent + title;
    return folder;
}

// The writer stamps the time of writing; this checks that it is a well-formed time taken while
// the test ran and puts "NOW" in its place, so the rest can be compared byte for byte.
struct WritingTime {
    std::int64_t before = std::time(nullptr);

    std::string masked(std::string bytes, const std::string& element) const {
        const std::string open = "<" + element + ">";
        const std::size_t at = bytes.find(open);
        if (at == std::string::npos) {
            ADD_FAILURE() << "no " << element;
            return bytes;
        }
        const std::string stamp = bytes.substr(at + open.size(), 19);
        EXPECT_TRUE(std::regex_match(stamp, std::regex(R"(\d{4}:\d\d:\d\d \d\d:\d\d:\d\d)")))
            << stamp;
        std::int64_t seconds = 0;
        EXPECT_TRUE(ParseShootingTimeText(stamp, seconds)) << stamp;
        EXPECT_GE(seconds, before);
        EXPECT_LE(seconds, static_cast<std::int64_t>(std::time(nullptr)));
        return bytes.replace(at + open.size(), 19, "NOW");
    }
};

std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// Collects what the writer reports instead of letting it reach standard error.
struct ReportedErrors {
    std::vector<std::string> messages;
    ReportedErrors() {
        SetErrorReporter([this](const std::string& message) { messages.push_back(message); });
    }
    ~ReportedErrors() { SetErrorReporter(nullptr); }
};

} // namespace

TEST(RecordPaths, nameTheKindDirectoryAndFileBesideTheEntry) {
    const QELFileInfo photo = Photo("/out/2010/0815/", "0905.JPG");
    EXPECT_EQ(RecordKindDirectory(photo), "TSFXML");
    EXPECT_EQ(RecordFileName(photo), "0905TSF.XML");
    EXPECT_EQ(RecordFilePath(photo), "/out/2010/0815/TSFXML/0905TSF.XML");

    const QELFileInfo first = Folder("/out/", "2010", 0);
    EXPECT_EQ(RecordKindDirectory(first), "TS1XML");
    EXPECT_EQ(RecordFilePath(first), "/out/TS1XML/2010TS1.XML");

    const QELFileInfo second = Folder("/out/2010/", "0815", 1);
    EXPECT_EQ(RecordKindDirectory(second), "TS2XML");
    EXPECT_EQ(RecordFilePath(second), "/out/2010/TS2XML/0815TS2.XML");

    // A folder found three levels deep by the scan of an earlier destination.
    EXPECT_EQ(RecordFilePath(Folder("/in/a/b/c/", "d", 3)), "/in/a/b/c/TS2XML/dTS2.XML");
}

TEST(RecordPaths, dropOnlyAPhotoExtensionAndKeepTheRecordInsideItsKindDirectory) {
    EXPECT_EQ(RecordFileName(Photo("/o/", "09時07分京都市.JPG")), "09時07分京都市TSF.XML");
    EXPECT_EQ(RecordFileName(Photo("/o/", "朝.jpg")), "朝TSF.XML");
    // A name without one is never cut.
    EXPECT_EQ(RecordFileName(Photo("/o/", "京都市写真")), "京都市写真TSF.XML");
    EXPECT_EQ(RecordFileName(Photo("/o/", "首里城／朝")), "首里城／朝TSF.XML");
    EXPECT_EQ(RecordFileName(Photo("/o/", "abc")), "abcTSF.XML");
    EXPECT_EQ(RecordFileName(Photo("/o/", "朝")), "朝TSF.XML");
    EXPECT_EQ(RecordFileName(Photo("/o/", "../../x.JPG")), "..／..／xTSF.XML");
    EXPECT_EQ(RecordFileName(Folder("/o/", "a/b", 0)), "a／bTS1.XML");

    QELFileInfo trailing = Folder("/out/", "2010", 0);
    trailing.path = "/out/2010/";
    EXPECT_EQ(RecordFilePath(trailing), "/out/TS1XML/2010TS1.XML");
    QELFileInfo bare = Photo("", "0905.JPG");
    EXPECT_EQ(RecordFilePath(bare), "TSFXML/0905TSF.XML");
}

TEST(WritePhotoRecord, writesEveryElementInOrderWithAddressesAndHistory) {
    TempDir dir;
    const std::string folder = dir.path() + "2011/0305/";
    QELFileInfo photo = Photo(folder, "0907.JPG");
    photo.exifStatus = kExifStatusExifTime;
    photo.orgPath = "/card/DCIM/100CAMERA/DSC01234.JPG";
    photo.orgTitleFileName = "DSC01234.JPG";
    photo.dateTimeOriginalText = "2011:03:05 09:07:00";
    photo.latitude = 35.0116363;
    photo.longitude = -135.768029;
    photo.shortAddresses = {"Japan", "Kyoto", "Kyoto-shi"};
    photo.beforeNames = {"DSC01234.JPG", "0905.JPG"};
    photo.beforeNameTimes = {"2011:03:05 09:07:00", ""};
    photo.orgDcfName = "DSC01234.JPG";
    const WritingTime time;
    ASSERT_EQ(WritePhotoRecord(photo), 0);

    const std::string written = ReadFile(folder + "TSFXML/0907TSF.XML");
    EXPECT_EQ(time.masked(written, "DateTimeTransTitleFileName"),
              "<?xml version=1.0?>\r\n"
              "<TessaroFile>\r\n"
              "<VersionNumber>TessaroV2.5</VersionNumber>\r\n"
              "<ExifStatus>1</ExifStatus>\r\n"
              "<OrgDirectoryPathName>/card/DCIM/100CAMERA/DSC01234.JPG</OrgDirectoryPathName>\r\n"
              "<OrgTitleFileName>DSC01234.JPG</OrgTitleFileName>\r\n"
              "<DateTimeOriginal>2011:03:05 09:07:00</DateTimeOriginal>\r\n"
              "<1stDateTimeFileRec></1stDateTimeFileRec>\r\n"
              "<GPSLatitude>35.011636</GPSLatitude>\r\n"
              "<GPSLongitude>-135.768029</GPSLongitude>\r\n"
              "<ShortAddress01>Japan</ShortAddress01>\r\n"
              "<ShortAddress02>Kyoto</ShortAddress02>\r\n"
              "<ShortAddress03>Kyoto-shi</ShortAddress03>\r\n"
              "<FullAddress>JapanKyotoKyoto-shi</FullAddress>\r\n"
              "<ShortUserFileName1></ShortUserFileName1>\r\n"
              "<TransDirectoryPathName>" +
                  folder +
                  "0907.JPG</TransDirectoryPathName>\r\n"
                  "<TransTitleFileName>0907.JPG</TransTitleFileName>\r\n"
                  "<DateTimeTransTitleFileName>NOW</DateTimeTransTitleFileName>\r\n"
                  "<BeforeFileName1>DSC01234.JPG</BeforeFileName1>\r\n"
                  "<DateTimeBeforeFileName1>2011:03:05 09:07:00</DateTimeBeforeFileName1>\r\n"
                  "<BeforeFileName2>0905.JPG</BeforeFileName2>\r\n"
                  "<DateTimeBeforeFileName2></DateTimeBeforeFileName2>\r\n"
                  "<OrgDCFFileName>DSC01234.JPG</OrgDCFFileName>\r\n"
                  "<NewDCFFileName></NewDCFFileName>\r\n"
                  "</TessaroFile>\r\n");
}

TEST(WritePhotoRecord, writesNoAddressOrHistoryElementsWhenThereAreNone) {
    TempDir dir;
    QELFileInfo photo = Photo(dir.path(), "IMG_0001.JPG");
    photo.exifStatus = kExifStatusFileTime;
    photo.orgPath = "/card/IMG_0001.JPG";
    photo.orgTitleFileName = "IMG_0001.JPG";
    photo.fileDateTimeText = "2010:08:15 09:05:59";
    photo.newDcfName = "TS090501.JPG";
    const WritingTime time;
    ASSERT_EQ(WritePhotoRecord(photo), 0);

    EXPECT_EQ(
        time.masked(ReadFile(dir.path() + "TSFXML/IMG_0001TSF.XML"), "DateTimeTransTitleFileName"),
        "<?xml version=1.0?>\r\n"
        "<TessaroFile>\r\n"
        "<VersionNumber>TessaroV2.5</VersionNumber>\r\n"
        "<ExifStatus>0</ExifStatus>\r\n"
        "<OrgDirectoryPathName>/card/IMG_0001.JPG</OrgDirectoryPathName>\r\n"
        "<OrgTitleFileName>IMG_0001.JPG</OrgTitleFileName>\r\n"
        "<DateTimeOriginal></DateTimeOriginal>\r\n"
        "<1stDateTimeFileRec>2010:08:15 09:05:59</1stDateTimeFileRec>\r\n"
        "<GPSLatitude>0.000000</GPSLatitude>\r\n"
        "<GPSLongitude>0.000000</GPSLongitude>\r\n"
        "<FullAddress></FullAddress>\r\n"
        "<ShortUserFileName1></ShortUserFileName1>\r\n"
        "<TransDirectoryPathName>" +
            dir.path() +
            "IMG_0001.JPG</TransDirectoryPathName>\r\n"
            "<TransTitleFileName>IMG_0001.JPG</TransTitleFileName>\r\n"
            "<DateTimeTransTitleFileName>NOW</DateTimeTransTitleFileName>\r\n"
            "<OrgDCFFileName></OrgDCFFileName>\r\n"
            "<NewDCFFileName>TS090501.JPG</NewDCFFileName>\r\n"
            "</TessaroFile>\r\n");
}

TEST(WriteFolderRecord, writesBothLevelsWithTheirRootsAndInterleavedHistory) {
    TempDir dir;
    QELFileInfo first = Folder(dir.path(), "2011", 0);
    first.oldestOrgPath = "/card/DCIM/100CAMERA/DSC01234.JPG";
    first.shootTime = 1299283620; // 2011:03:05 09:07:00 in Tokyo
    first.beforeNames = {"2010", "old"};
    first.beforeNameTimes = {"2010:08:15 09:05:00", "2009:01:02 03:04:05"};
    QELFileInfo second = Folder(dir.path() + "2011/", "0305", 1);
    second.shootTime = 1299283620;
    const WritingTime time;
    ASSERT_EQ(WriteFolderRecord(first), 0);
    ASSERT_EQ(WriteFolderRecord(second), 0);

    EXPECT_EQ(
        time.masked(ReadFile(dir.path() + "TS1XML/2011TS1.XML"), "DateTimePairTitleFolderNamegot"),
        "<?xml version=1.0?>\r\n"
        "<TessaroFolder1>\r\n"
        "<VersionNumber>TessaroV2.5</VersionNumber>\r\n"
        "<PairTitleFolderName>2011</PairTitleFolderName>\r\n"
        "<DateTimePairTitleFolderNamegot>NOW</DateTimePairTitleFolderNamegot>\r\n"
        "<OldestOrgDirectoryPathName>/card/DCIM/100CAMERA/DSC01234.JPG"
        "</OldestOrgDirectoryPathName>\r\n"
        "<DateTimeOriginalOldestFile>2011:03:05 09:07:00</DateTimeOriginalOldestFile>\r\n"
        "<BeforePairTitleFolderName1>2010</BeforePairTitleFolderName1>\r\n"
        "<DateTimeBeforePairTitleFolderName1>2010:08:15 09:05:00"
        "</DateTimeBeforePairTitleFolderName1>\r\n"
        "<BeforePairTitleFolderName2>old</BeforePairTitleFolderName2>\r\n"
        "<DateTimeBeforePairTitleFolderName2>2009:01:02 03:04:05"
        "</DateTimeBeforePairTitleFolderName2>\r\n"
        "</TessaroFolder1>\r\n");
    EXPECT_EQ(time.masked(ReadFile(dir.path() + "2011/TS2XML/0305TS2.XML"),
                          "DateTimePairTitleFolderNamegot"),
              "<?xml version=1.0?>\r\n"
              "<TessaroFolder2>\r\n"
              "<VersionNumber>TessaroV2.5</VersionNumber>\r\n"
              "<PairTitleFolderName>0305</PairTitleFolderName>\r\n"
              "<DateTimePairTitleFolderNamegot>NOW</DateTimePairTitleFolderNamegot>\r\n"
              "<OldestOrgDirectoryPathName></OldestOrgDirectoryPathName>\r\n"
              "<DateTimeOriginalOldestFile>2011:03:05 09:07:00</DateTimeOriginalOldestFile>\r\n"
              "</TessaroFolder2>\r\n");
}

TEST(WritePhotoRecord, writesJapaneseTextAsCp932BytesUnderAUtf8FileName) {
    TempDir dir;
    QELFileInfo photo = Photo(dir.path(), "09時07分京都市.JPG");
    photo.exifStatus = kExifStatusExifTime;
    photo.orgPath = "/card/ソニー.JPG";
    photo.orgTitleFileName = "ソニー.JPG";
    photo.dateTimeOriginalText = "2011:03:05 09:07:00";
    photo.latitude = 35.0;
    photo.longitude = 135.75;
    photo.shortAddresses = {"日本", "京都府", "京都市"};
    const WritingTime time;
    ASSERT_EQ(WritePhotoRecord(photo), 0);

    // 日 93FA 本 967B 京 8B9E 都 9373 府 957B 市 8E73 時 8E9E 分 95AA ソ 835C ニ 836A ー 815B
    const std::string title = "09\x8e\x9e"
                              "07\x95\xaa\x8b\x9e\x93\x73\x8e\x73.JPG";
    EXPECT_EQ(time.masked(ReadFile(dir.path() + "TSFXML/09時07分京都市TSF.XML"),
                          "DateTimeTransTitleFileName"),
              "<?xml version=1.0?>\r\n"
              "<TessaroFile>\r\n"
              "<VersionNumber>TessaroV2.5</VersionNumber>\r\n"
              "<ExifStatus>1</ExifStatus>\r\n"
              "<OrgDirectoryPathName>/card/\x83\x5c\x83\x6a\x81\x5b.JPG</OrgDirectoryPathName>\r\n"
              "<OrgTitleFileName>\x83\x5c\x83\x6a\x81\x5b.JPG</OrgTitleFileName>\r\n"
              "<DateTimeOriginal>2011:03:05 09:07:00</DateTimeOriginal>\r\n"
              "<1stDateTimeFileRec></1stDateTimeFileRec>\r\n"
              "<GPSLatitude>35.000000</GPSLatitude>\r\n"
              "<GPSLongitude>135.750000</GPSLongitude>\r\n"
              "<ShortAddress01>\x93\xfa\x96\x7b</ShortAddress01>\r\n"
              "<ShortAddress02>\x8b\x9e\x93\x73\x95\x7b</ShortAddress02>\r\n"
              "<ShortAddress03>\x8b\x9e\x93\x73\x8e\x73</ShortAddress03>\r\n"
              "<FullAddress>\x93\xfa\x96\x7b\x8b\x9e\x93\x73\x95\x7b\x8b\x9e\x93\x73\x8e\x73"
              "</FullAddress>\r\n"
              "<ShortUserFileName1></ShortUserFileName1>\r\n"
              "<TransDirectoryPathName>" +
                  dir.path() + title +
                  "</TransDirectoryPathName>\r\n"
                  "<TransTitleFileName>" +
                  title +
                  "</TransTitleFileName>\r\n"
                  "<DateTimeTransTitleFileName>NOW</DateTimeTransTitleFileName>\r\n"
                  "<OrgDCFFileName></OrgDCFFileName>\r\n"
                  "<NewDCFFileName></NewDCFFileName>\r\n"
                  "</TessaroFile>\r\n");
}

TEST(WritePhotoRecord, writesUtf8UnreplacedWhenAValueHasNoExactCp932Form) {
    TempDir dir;
    QELFileInfo photo = Photo(dir.path(), "café.JPG");
    photo.orgTitleFileName = "café.JPG";
    const WritingTime time;
    ASSERT_EQ(WritePhotoRecord(photo), 0);
    const std::string written = ReadFile(dir.path() + "TSFXML/caféTSF.XML");
    EXPECT_EQ(time.masked(written, "DateTimeTransTitleFileName"),
              "<?xml version=1.0 encoding=UTF-8?>\r\n"
              "<TessaroFile>\r\n"
              "<VersionNumber>TessaroV2.5</VersionNumber>\r\n"
              "<ExifStatus>2</ExifStatus>\r\n"
              "<OrgDirectoryPathName></OrgDirectoryPathName>\r\n"
              "<OrgTitleFileName>caf\xc3\xa9.JPG</OrgTitleFileName>\r\n"
              "<DateTimeOriginal></DateTimeOriginal>\r\n"
              "<1stDateTimeFileRec></1stDateTimeFileRec>\r\n"
              "<GPSLatitude>0.000000</GPSLatitude>\r\n"
              "<GPSLongitude>0.000000</GPSLongitude>\r\n"
              "<FullAddress></FullAddress>\r\n"
              "<ShortUserFileName1></ShortUserFileName1>\r\n"
              "<TransDirectoryPathName>" +
                  dir.path() +
                  "caf\xc3\xa9.JPG</TransDirectoryPathName>\r\n"
                  "<TransTitleFileName>caf\xc3\xa9.JPG</TransTitleFileName>\r\n"
                  "<DateTimeTransTitleFileName>NOW</DateTimeTransTitleFileName>\r\n"
                  "<OrgDCFFileName></OrgDCFFileName>\r\n"
                  "<NewDCFFileName></NewDCFFileName>\r\n"
                  "</TessaroFile>\r\n");

    // U+00A5 and U+301C have CP932 forms that read back as '\\' and U+FF5E; a name with one of
    // them is kept as it is.
    for (const std::string title : {"\xc2\xa5"
                                    "100.JPG",
                                    "a\xe3\x80\x9c"
                                    "b.JPG"}) {
        QELFileInfo other = Photo(dir.path(), title);
        ASSERT_EQ(WritePhotoRecord(other), 0);
        const std::string bytes = ReadFile(RecordFilePath(other));
        EXPECT_TRUE(bytes.starts_with("<?xml version=1.0 encoding=UTF-8?>\r\n")) << title;
        EXPECT_NE(bytes.find("<TransTitleFileName>" + title + "</TransTitleFileName>\r\n"),
                  std::string::npos)
            << title;
    }
}

// A Linux name need not be UTF-8 and may hold line breaks: the record, under the name's own
// record name, still is UTF-8 as it says, one element a line, and is found already written.
TEST(WritePhotoRecord, writesNoBytesThatAreNoUtf8AndNoLineBreakInsideAValue) {
    TempDir dir;
    for (const auto& [title, recorded] : std::map<std::string, std::string>{
             {"caf\xff.JPG", "caf\xef\xbf\xbd.JPG"}, {"a\nb\r.JPG", "a b .JPG"}}) {
        QELFileInfo photo = Photo(dir.path(), title);
        photo.beforeNames = {"x\r\ny.JPG"};
        photo.beforeNameTimes = {""};
        ASSERT_EQ(WritePhotoRecord(photo), 0);
        const std::string path = RecordFilePath(photo);
        const std::string bytes = ReadFile(path);
        EXPECT_EQ(ValidUtf8(bytes), bytes) << title;
        EXPECT_NE(bytes.find("<TransTitleFileName>" + recorded + "</TransTitleFileName>\r\n"),
                  std::string::npos)
            << title;
        EXPECT_NE(bytes.find("<BeforeFileName1>x  y.JPG</BeforeFileName1>\r\n"), std::string::npos);
        std::size_t lines = 0;
        for (std::size_t at = 0; (at = bytes.find('\n', at)) != std::string::npos; ++at) {
            EXPECT_EQ(bytes[at - 1], '\r') << title << " at " << at;
            ++lines;
        }
        EXPECT_EQ(lines, 20u) << title;

        const struct timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), old, 0), 0);
        ASSERT_EQ(WritePhotoRecord(photo), 0);
        struct stat status {};
        ASSERT_EQ(stat(path.c_str(), &status), 0);
        EXPECT_EQ(status.st_mtim.tv_sec, old[1].tv_sec) << title << ": written again";
    }
}

TEST(WritePhotoRecord, writesValuesUnescapedAndNumbersAddressesPast99WithThreeDigits) {
    TempDir dir;
    QELFileInfo photo = Photo(dir.path(), "0001.JPG");
    photo.orgTitleFileName = "a<b>&c";
    for (int i = 1; i <= 120; ++i) {
        photo.shortAddresses.push_back("p" + std::to_string(i));
    }
    ASSERT_EQ(WritePhotoRecord(photo), 0);
    const std::string written = ReadFile(RecordFilePath(photo));
    EXPECT_NE(written.find("<OrgTitleFileName>a<b>&c</OrgTitleFileName>\r\n"), std::string::npos);
    EXPECT_NE(written.find("\r\n<ShortAddress09>p9</ShortAddress09>\r\n"
                           "<ShortAddress10>p10</ShortAddress10>\r\n"),
              std::string::npos);
    EXPECT_NE(written.find("\r\n<ShortAddress99>p99</ShortAddress99>\r\n"
                           "<ShortAddress100>p100</ShortAddress100>\r\n"),
              std::string::npos);
    EXPECT_NE(written.find("\r\n<ShortAddress120>p120</ShortAddress120>\r\n<FullAddress>p1p2p3"),
              std::string::npos);
}

TEST(WriteRecord, hidesKindDirectoriesAndRecordsAndReplacesAnEarlierRecord) {
    TempDir dir;
    WriteFile(dir.path() + ".hidden", "keep\n");
    QELFileInfo first = Folder(dir.path(), "2011", 0);
    QELFileInfo photo = Photo(dir.path() + "2011/0305/", "0907.JPG");
    ASSERT_EQ(WriteFolderRecord(first), 0);
    ASSERT_EQ(WritePhotoRecord(photo), 0);
    photo.orgTitleFileName = "second run";
    ASSERT_EQ(WritePhotoRecord(photo), 0);
    QELFileInfo other = Photo(dir.path() + "2011/0305/", "0908.JPG");
    ASSERT_EQ(WritePhotoRecord(other), 0);

    EXPECT_EQ(ReadFile(dir.path() + ".hidden"), "keep\nTS1XML\n");
    EXPECT_EQ(ReadFile(dir.path() + "TS1XML/.hidden"), "2011TS1.XML\n");
    EXPECT_EQ(ReadFile(dir.path() + "2011/0305/.hidden"), "TSFXML\n");
    EXPECT_EQ(ReadFile(dir.path() + "2011/0305/TSFXML/.hidden"), "0907TSF.XML\n0908TSF.XML\n");
    EXPECT_EQ(Names(dir.path() + "2011/0305/TSFXML"),
              (std::set<std::string>{".hidden", "0907TSF.XML", "0908TSF.XML"}))
        << "no temporary file is left behind";
    EXPECT_NE(ReadFile(RecordFilePath(photo)).find("<OrgTitleFileName>second run<"),
              std::string::npos);
}

TEST(WriteRecord, reportsOnceAndReturnsMinusOneWhenTheFileCannotBeMade) {
    TempDir dir;
    const ReportedErrors errors;
    WriteFile(dir.path() + "TSFXML", "a file where the kind directory belongs");
    EXPECT_EQ(WritePhotoRecord(Photo(dir.path(), "0907.JPG")), -1);
    std::filesystem::create_directories(dir.path() + "2011/TS2XML/0305TS2.XML/inside");
    EXPECT_EQ(WriteFolderRecord(Folder(dir.path() + "2011/", "0305", 1)), -1);
    EXPECT_EQ(errors.messages, (std::vector<std::string>{
                                   "ＸＭＬファイル作成に失敗しました: " + dir.path() +
                                       "TSFXML/0907TSF.XML: フォルダではありません",
                                   "ＸＭＬファイル作成に失敗しました: " + dir.path() +
                                       "2011/TS2XML/0305TS2.XML: ファイルではなくフォルダです"}));
    EXPECT_EQ(ReadFile(dir.path() + "TSFXML"), "a file where the kind directory belongs");
    EXPECT_EQ(Names(dir.path() + "2011/TS2XML"), (std::set<std::string>{"0305TS2.XML"}));
    EXPECT_FALSE(std::filesystem::exists(dir.path() + ".hidden"));
}
