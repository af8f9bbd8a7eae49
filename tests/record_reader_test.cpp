#include "platform/local_time.h"
#include "platform/shooting_time_text.h"
#include "records/record_lines.h"
#include "records/record_paths.h"
#include "records/record_reader.h"
#include "records/record_writer.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <map>

namespace {

constexpr std::int64_t k20110305_090700 = 1299283620; // in Tokyo
constexpr int kPresentYear = 2026;

QELFileInfo ResultPhoto(const std::string& folder, const std::string& title) {
    QELFileInfo photo;
    photo.isFolder = 0;
    photo.level = 2;
    photo.title = title;
    photo.path = folder + title;
    return photo;
}

// A photo as the scan files it: nothing analysed yet, a time it may keep.
QELFileInfo Scanned(std::int64_t shootTime = 777) {
    QELFileInfo photo;
    photo.shootTime = shootTime;
    return photo;
}

// The restoring rules alone, on whatever the file says, unchecked against any photo.
bool Restored(QELFileInfo& read, const std::string& path) {
    std::string text;
    if (!ReadRecordText(path, text)) {
        return false;
    }
    RestorePhotoRecord(read, text);
    return true;
}

std::string PhotoRecordText(const std::string& elements, const std::string& lineEnd = "\r\n") {
    std::string text = "<?xml version=1.0?>" + lineEnd + "<TessaroFile>" + lineEnd;
    std::size_t start = 0;
    for (std::size_t end; (end = elements.find('\n', start)) != std::string::npos;
         start = end + 1) {
        text += elements.substr(start, end - start) + lineEnd;
    }
    return text + "</TessaroFile>" + lineEnd;
}

} // namespace

TEST(ReadPhotoRecord, restoresEveryFieldTheWriterWrote) {
    TempDir dir;
    QELFileInfo written = ResultPhoto(dir.path(), "09時07分京都市.JPG");
    written.exifStatus = kExifStatusExifTime;
    written.shootTime = k20110305_090700;
    written.dateTimeOriginalText = "2011:03:05 09:07:00";
    written.latitude = 35.011636;
    written.longitude = -135.768029;
    written.shortAddresses = {"日本", "京都府", "表示\\ソ"};
    written.beforeNames = {"DSC01234.JPG", "0905.JPG"};
    written.beforeNameTimes = {"2011:03:05 09:07:00", ""};
    written.orgDcfName = "DSC01234.JPG";
    written.newDcfName = "TS090701.JPG";
    ASSERT_EQ(WritePhotoRecord(written), 0);

    QELFileInfo read = Scanned();
    ASSERT_EQ(ReadPhotoRecord(read, RecordFilePath(written),
                              {written.title, std::nullopt, k20110305_090700, kPresentYear}),
              RecordCheck::kDescribesPhoto);
    EXPECT_EQ(read.exifStatus, kExifStatusExifTime);
    EXPECT_EQ(read.shootTime, k20110305_090700);
    EXPECT_EQ(read.dateTimeOriginalText, "2011:03:05 09:07:00");
    EXPECT_EQ(read.fileDateTimeText, "");
    EXPECT_DOUBLE_EQ(read.latitude, 35.011636);
    EXPECT_DOUBLE_EQ(read.longitude, -135.768029);
    EXPECT_EQ(read.shortAddresses, written.shortAddresses);
    EXPECT_EQ(read.beforeNames, written.beforeNames);
    EXPECT_EQ(read.beforeNameTimes, written.beforeNameTimes);
    EXPECT_EQ(read.orgDcfName, "DSC01234.JPG");
    EXPECT_EQ(read.newDcfName, "TS090701.JPG");
}

TEST(ReadPhotoRecord, roundTripsUtf8RecordsAndOneHundredTwentyAddresses) {
    TempDir dir;
    QELFileInfo written = ResultPhoto(dir.path(), "caf\xc3\xa9 \xff.JPG");
    written.exifStatus = kExifStatusExifTime;
    written.dateTimeOriginalText = "2011:03:05 09:07:00";
    for (int i = 1; i <= 120; ++i) {
        written.shortAddresses.push_back("¥" + std::to_string(i));
    }
    written.beforeNames = {"a<b>&c.JPG"};
    written.beforeNameTimes = {"x"};
    ASSERT_EQ(WritePhotoRecord(written), 0);

    QELFileInfo read = Scanned();
    ASSERT_TRUE(Restored(read, RecordFilePath(written)));
    EXPECT_EQ(read.shootTime, k20110305_090700);
    EXPECT_EQ(read.shortAddresses, written.shortAddresses);
    EXPECT_EQ(read.beforeNames, written.beforeNames);
    EXPECT_EQ(read.beforeNameTimes, written.beforeNameTimes);
}

TEST(ReadPhotoRecord, readsLfOnlyFilesAndBlankLinesLikeTheWritersOwn) {
    TempDir dir;
    const std::string elements = "<ExifStatus>1</ExifStatus>\n"
                                 "<DateTimeOriginal>2011:03:05 09:07:00</DateTimeOriginal>\n"
                                 "<GPSLatitude>35.5</GPSLatitude>\n"
                                 "<GPSLongitude>135.25</GPSLongitude>\n"
                                 "<ShortAddress01>\x93\xfa\x96\x7b</ShortAddress01>\n"
                                 "<BeforeFileName1>\x95\x5c.JPG</BeforeFileName1>\n";
    WriteFile(dir.path() + "crlf.XML", PhotoRecordText(elements));
    WriteFile(dir.path() + "lf.XML", PhotoRecordText(elements, "\n"));
    WriteFile(dir.path() + "blank.XML", PhotoRecordText(elements, "\r\n\r\n\n  \r\n"));

    for (const char* name : {"crlf.XML", "lf.XML", "blank.XML"}) {
        QELFileInfo read = Scanned();
        ASSERT_TRUE(Restored(read, dir.path() + name)) << name;
        EXPECT_EQ(read.exifStatus, kExifStatusExifTime) << name;
        EXPECT_EQ(read.shootTime, k20110305_090700) << name;
        EXPECT_DOUBLE_EQ(read.latitude, 35.5) << name;
        EXPECT_DOUBLE_EQ(read.longitude, 135.25) << name;
        EXPECT_EQ(read.shortAddresses, std::vector<std::string>{"日本"}) << name;
        EXPECT_EQ(read.beforeNames, std::vector<std::string>{"表.JPG"}) << name;
        EXPECT_EQ(read.beforeNameTimes, std::vector<std::string>{""}) << name;
    }
    std::vector<std::string> lines;
    EXPECT_EQ(ReadRecordLines(dir.path() + "blank.XML", lines), 18)
        << "nine lines, each followed by a line of spaces, which is not empty";
    EXPECT_EQ(lines.front(), "<?xml version=1.0?>");
}

TEST(ReadPhotoRecord, restoresTimePositionAndAddressesOnlyForExifStatusOne) {
    TempDir dir;
    const std::string rest = "<DateTimeOriginal>2011:03:05 09:07:00</DateTimeOriginal>\n"
                             "<1stDateTimeFileRec>2010:08:15 09:05:00</1stDateTimeFileRec>\n"
                             "<GPSLatitude>35.5</GPSLatitude>\n"
                             "<GPSLongitude>135.25</GPSLongitude>\n"
                             "<ShortAddress01>Japan</ShortAddress01>\n"
                             "<OrgDCFFileName>DSC01234.JPG</OrgDCFFileName>\n";
    WriteFile(dir.path() + "0.XML", PhotoRecordText("<ExifStatus>0</ExifStatus>\n" + rest));
    WriteFile(dir.path() + "2.XML", PhotoRecordText("<ExifStatus>2</ExifStatus>\n" + rest));

    QELFileInfo zero = Scanned();
    ASSERT_TRUE(Restored(zero, dir.path() + "0.XML"));
    EXPECT_EQ(zero.exifStatus, kExifStatusFileTime);
    EXPECT_EQ(zero.shootTime, LocalToSeconds({2010, 8, 15, 9, 5, 0}));
    EXPECT_EQ(zero.latitude, 0.0);
    EXPECT_EQ(zero.longitude, 0.0);
    EXPECT_TRUE(zero.shortAddresses.empty());
    EXPECT_EQ(zero.dateTimeOriginalText, "2011:03:05 09:07:00");
    EXPECT_EQ(zero.fileDateTimeText, "2010:08:15 09:05:00");
    EXPECT_EQ(zero.orgDcfName, "DSC01234.JPG");

    QELFileInfo two = Scanned();
    ASSERT_TRUE(Restored(two, dir.path() + "2.XML"));
    EXPECT_EQ(two.exifStatus, kExifStatusNotAnalysed);
    EXPECT_EQ(two.shootTime, 777);
    EXPECT_EQ(two.latitude, 0.0);
    EXPECT_TRUE(two.shortAddresses.empty());
    EXPECT_EQ(two.fileDateTimeText, "2010:08:15 09:05:00");
    EXPECT_EQ(two.orgDcfName, "DSC01234.JPG");
}

TEST(ReadPhotoRecord, treatsAStatusOneRecordWithoutAValidShootingTimeAsStatusZero) {
    TempDir dir;
    const std::string place = "<GPSLatitude>35.5</GPSLatitude>\n"
                              "<GPSLongitude>135.25</GPSLongitude>\n"
                              "<ShortAddress01>Japan</ShortAddress01>\n";
    WriteFile(dir.path() + "zeros.XML",
              PhotoRecordText("<ExifStatus>1</ExifStatus>\n"
                              "<DateTimeOriginal>0000:00:00 00:00:00</DateTimeOriginal>\n"
                              "<1stDateTimeFileRec>2010:08:15 09:05:00</1stDateTimeFileRec>\n" +
                              place));
    WriteFile(dir.path() + "empty.XML", PhotoRecordText("<ExifStatus>1</ExifStatus>\n" + place));

    QELFileInfo zeros = Scanned();
    ASSERT_TRUE(Restored(zeros, dir.path() + "zeros.XML"));
    EXPECT_EQ(zeros.exifStatus, kExifStatusFileTime);
    EXPECT_EQ(zeros.shootTime, LocalToSeconds({2010, 8, 15, 9, 5, 0}));
    EXPECT_EQ(zeros.latitude, 0.0);
    EXPECT_TRUE(zeros.shortAddresses.empty());
    EXPECT_EQ(zeros.dateTimeOriginalText, "0000:00:00 00:00:00");

    QELFileInfo empty = Scanned();
    ASSERT_TRUE(Restored(empty, dir.path() + "empty.XML"));
    EXPECT_EQ(empty.exifStatus, kExifStatusFileTime);
    EXPECT_EQ(empty.shootTime, 777) << "no valid time anywhere: the photo keeps its own";
    EXPECT_TRUE(empty.shortAddresses.empty());
}

TEST(ReadPhotoRecord, takesHistoryAndAddressesUpToTheFirstEmptyOneOnly) {
    TempDir dir;
    WriteFile(dir.path() + "r.XML",
              PhotoRecordText("<ExifStatus>1</ExifStatus>\n"
                              "<DateTimeOriginal>2011:03:05 09:07:00</DateTimeOriginal>\n"
                              "<ShortAddress01>a</ShortAddress01>\n"
                              "<ShortAddress02></ShortAddress02>\n"
                              "<ShortAddress03>c</ShortAddress03>\n"
                              "<BeforeFileName10>ten</BeforeFileName10>\n"
                              "<DateTimeBeforeFileName1>t1</DateTimeBeforeFileName1>\n"
                              "<BeforeFileName1>one</BeforeFileName1>\n"
                              "<BeforeFileName2>two</BeforeFileName2>\n"
                              "<BeforeFileName4>four</BeforeFileName4>\n"));
    QELFileInfo read = Scanned();
    read.beforeNames = {"kept"};
    read.beforeNameTimes = {"k"};
    ASSERT_TRUE(Restored(read, dir.path() + "r.XML"));
    EXPECT_EQ(read.shortAddresses, std::vector<std::string>{"a"});
    EXPECT_EQ(read.beforeNames, (std::vector<std::string>{"kept", "one", "two"}));
    EXPECT_EQ(read.beforeNameTimes, (std::vector<std::string>{"k", "t1", ""}));
}

TEST(FindElement, cutsAtTheFirstClosingTagAfterTheOpeningOneAndMatchesWholeNamesOnly) {
    const std::string text = "</Name><Name>a<b>&c</Name>d</Name>"
                             "<DateTimeBeforeFileName1>t</DateTimeBeforeFileName1>"
                             "<BeforeFileName10>x</BeforeFileName10>"
                             "<Open>no end</Closed><Early>";
    EXPECT_EQ(FindElement("Name", text), "a<b>&c");
    EXPECT_EQ(FindElement("BeforeFileName1", text), "");
    EXPECT_EQ(FindElement("DateTimeBeforeFileName1", text), "t");
    EXPECT_EQ(FindElement("name", text), "");
    EXPECT_EQ(FindElement("Open", text), "");
    EXPECT_EQ(FindElement("Early", "</Early>" + text), "")
        << "a closing tag before the opening one does not count";
}

TEST(ReadPhotoRecord, cutsAValueHoldingItsOwnClosingTag) {
    TempDir dir;
    QELFileInfo written = ResultPhoto(dir.path(), "0001.JPG");
    written.orgDcfName = "AB</OrgDCFFileName>CD";
    written.beforeNames = {"x</BeforeFileName1>y"};
    written.beforeNameTimes = {"t"};
    ASSERT_EQ(WritePhotoRecord(written), 0);
    QELFileInfo read = Scanned();
    ASSERT_TRUE(Restored(read, RecordFilePath(written)));
    EXPECT_EQ(read.orgDcfName, "AB");
    EXPECT_EQ(read.beforeNames, std::vector<std::string>{"x"});
}

TEST(ReadPhotoRecord, recognisesNoFileWithoutLinesOrWithoutAnExifStatusNumber) {
    TempDir dir;
    WriteFile(dir.path() + "empty.XML", "");
    WriteFile(dir.path() + "blank.XML", "\r\n\n\r\n");
    WriteFile(dir.path() + "foreign.XML", std::string("\xff\xd8\xff\xe1\0\x10<Exif\x81", 10));
    WriteFile(dir.path() + "garbage.XML", PhotoRecordText("<ExifStatus>one</ExifStatus>\n"
                                                          "<OrgDCFFileName>X</OrgDCFFileName>\n"));
    std::filesystem::create_directory(dir.path() + "folder.XML");
    ASSERT_EQ(mkfifo((dir.path() + "fifo.XML").c_str(), 0600), 0);

    for (const auto& [name, check] :
         std::map<std::string, RecordCheck>{{"missing.XML", RecordCheck::kNoRecord},
                                            {"empty.XML", RecordCheck::kNoRecord},
                                            {"blank.XML", RecordCheck::kNoRecord},
                                            {"folder.XML", RecordCheck::kNoRecord},
                                            {"fifo.XML", RecordCheck::kNoRecord},
                                            {"foreign.XML", RecordCheck::kNotARecord},
                                            {"garbage.XML", RecordCheck::kNotARecord}}) {
        QELFileInfo read = Scanned();
        EXPECT_EQ(ReadPhotoRecord(read, dir.path() + name, {"x.JPG", 0, std::nullopt, 2026}), check)
            << name;
        EXPECT_EQ(read.exifStatus, kExifStatusNotAnalysed) << name;
        EXPECT_EQ(read.shootTime, 777) << name;
        EXPECT_EQ(read.orgDcfName, "") << name;
    }
    QELFileInfo folder;
    EXPECT_EQ(ReadFolderRecord(folder, dir.path() + "fifo.XML"), 0);
}

TEST(CheckPhotoRecord, takesTheFileTimeWithinTwoSecondsAndNoDateOrPlaceThatCannotBe) {
    const auto facts = [](std::optional<std::int64_t> modified,
                          std::optional<std::int64_t> exifTime = std::nullopt) {
        return PhotoFacts{"a.JPG", modified, exifTime, kPresentYear};
    };
    const std::int64_t fileTime = LocalToSeconds({2010, 8, 15, 9, 5, 0});
    const std::string filed = "<ExifStatus>0</ExifStatus>"
                              "<1stDateTimeFileRec>2010:08:15 09:05:00</1stDateTimeFileRec>";
    for (const auto& [modified, check] :
         std::map<std::int64_t, RecordCheck>{{fileTime - 3, RecordCheck::kOtherFileTime},
                                             {fileTime - 2, RecordCheck::kDescribesPhoto},
                                             {fileTime + 2, RecordCheck::kDescribesPhoto},
                                             {fileTime + 3, RecordCheck::kOtherFileTime}}) {
        EXPECT_EQ(CheckPhotoRecord(filed, facts(modified)), check) << modified - fileTime;
    }
    EXPECT_EQ(CheckPhotoRecord(filed, facts(std::nullopt)), RecordCheck::kOtherFileTime);

    // Up to the end of next year: a camera set a year ahead is no reason to lose a record.
    for (const auto& [date, check] : std::map<std::string, RecordCheck>{
             {"2027:12:31 23:59:59", RecordCheck::kDescribesPhoto},
             {"2028:01:01 00:00:00", RecordCheck::kImpossibleValue},
             {"2150:01:01 10:00:00", RecordCheck::kImpossibleValue}}) {
        std::int64_t time = 0;
        ASSERT_TRUE(ParseShootingTimeText(date, time));
        EXPECT_EQ(CheckPhotoRecord("<ExifStatus>1</ExifStatus><DateTimeOriginal>" + date +
                                       "</DateTimeOriginal>",
                                   facts(std::nullopt, time)),
                  check)
            << date;
        EXPECT_EQ(CheckPhotoRecord("<ExifStatus>0</ExifStatus><1stDateTimeFileRec>" + date +
                                       "</1stDateTimeFileRec>",
                                   facts(time)),
                  check)
            << date;
    }
    for (const auto& [place, check] : std::map<std::string, RecordCheck>{
             {"<GPSLatitude>-90.000000</GPSLatitude><GPSLongitude>180.0</GPSLongitude>",
              RecordCheck::kDescribesPhoto},
             {"<GPSLatitude>91</GPSLatitude><GPSLongitude>135</GPSLongitude>",
              RecordCheck::kImpossibleValue},
             {"<GPSLatitude>35</GPSLatitude><GPSLongitude>-180.000001</GPSLongitude>",
              RecordCheck::kImpossibleValue},
             {"<ShortAddress01>京都\r府</ShortAddress01>", RecordCheck::kImpossibleValue}}) {
        EXPECT_EQ(CheckPhotoRecord("<ExifStatus>0</ExifStatus>" + place, facts(0)), check) << place;
    }
}

TEST(CheckPhotoRecord, wantsThePhotosOwnNameAndItsOwnExifDate) {
    const auto named = [](const std::string& path, const std::string& name) {
        return CheckPhotoRecord("<ExifStatus>0</ExifStatus><TransDirectoryPathName>" + path +
                                    "</TransDirectoryPathName>",
                                {name, 0, std::nullopt, kPresentYear});
    };
    EXPECT_EQ(named("D:\\写真\\0815\\a.JPG", "a.JPG"), RecordCheck::kDescribesPhoto);
    EXPECT_EQ(named("/media/old/0815/a.JPG", "a.JPG"), RecordCheck::kDescribesPhoto)
        << "a library moved to another disk";
    EXPECT_EQ(named("/lib/0815/b.JPG", "a.JPG"), RecordCheck::kOtherName);
    EXPECT_EQ(named("/lib/x\\a.JPG", "x\\a.JPG"), RecordCheck::kDescribesPhoto);
    EXPECT_EQ(named("/lib/caf\xef\xbf\xbd a.JPG", "caf\xff\na.JPG"), RecordCheck::kDescribesPhoto)
        << "as the record holds the name";

    const std::int64_t shot = LocalToSeconds({2011, 3, 5, 9, 7, 0});
    const std::string date = "<DateTimeOriginal>2011:03:05 09:07:00</DateTimeOriginal>";
    const auto dated = [&](const std::string& status, std::optional<std::int64_t> exifTime) {
        return CheckPhotoRecord("<ExifStatus>" + status + "</ExifStatus>" + date,
                                {"a.JPG", 0, exifTime, kPresentYear});
    };
    EXPECT_EQ(dated("1", shot), RecordCheck::kDescribesPhoto);
    EXPECT_EQ(dated("1", shot + 1), RecordCheck::kOtherShootingTime);
    EXPECT_EQ(dated("0", shot), RecordCheck::kOtherShootingTime);
    EXPECT_EQ(dated("2", shot), RecordCheck::kOtherShootingTime) << "copied unanalysed";
    EXPECT_EQ(dated("1", std::nullopt), RecordCheck::kOtherShootingTime);
    EXPECT_EQ(dated("0", std::nullopt), RecordCheck::kDescribesPhoto);
    EXPECT_EQ(dated("2", std::nullopt), RecordCheck::kDescribesPhoto);
}

TEST(ReadRecordLines, decodesCp932UnlessTheFirstLineDeclaresUtf8AndReplacesBadBytes) {
    TempDir dir;
    WriteFile(dir.path() + "cp932.XML", "<?xml version=1.0?>\r\n\x95\x5c\x81<\xb1\r\n");
    WriteFile(dir.path() + "utf8.XML", "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                                       "\xe8\xa1\xa8\x95\x5c\n");
    std::vector<std::string> lines{"old"};
    ASSERT_EQ(ReadRecordLines(dir.path() + "cp932.XML", lines), 2);
    EXPECT_EQ(lines[1], "表\xef\xbf\xbd<\xef\xbd\xb1") << "a lead byte never swallows a '<'";
    ASSERT_EQ(ReadRecordLines(dir.path() + "utf8.XML", lines), 2);
    EXPECT_EQ(lines[1], "\xe8\xa1\xa8\x95\x5c");
}

// Its start alone would pass for a record that says nothing, and file a dated photo under no date.
TEST(ReadRecordLines, givesNoLinesForAFileLargerThanAnyRecord) {
    TempDir dir;
    const std::string start = "<ExifStatus>2</ExifStatus>\n";
    WriteFile(dir.path() + "big.XML", start + std::string(kMaxRecordBytes - start.size() + 1, 'x'));
    WriteFile(dir.path() + "bound.XML", start + std::string(kMaxRecordBytes - start.size(), 'x'));
    std::vector<std::string> lines;
    EXPECT_EQ(ReadRecordLines(dir.path() + "big.XML", lines), 0);
    EXPECT_EQ(ReadRecordLines(dir.path() + "bound.XML", lines), 2);
}

TEST(ReadFolderRecord, restoresTheHistoryTheWriterWroteAndNothingElse) {
    TempDir dir;
    QELFileInfo written;
    written.isFolder = 1;
    written.level = 1;
    written.title = "03月05日京都府";
    written.path = dir.path() + "2011/" + written.title;
    written.shootTime = k20110305_090700;
    written.beforeNames = {"0305", "03月05日"};
    written.beforeNameTimes = {"2011:03:05 09:07:00", ""};
    ASSERT_EQ(WriteFolderRecord(written), 0);

    QELFileInfo read;
    read.isFolder = 1;
    ASSERT_EQ(ReadFolderRecord(read, RecordFilePath(written)), 1);
    EXPECT_EQ(read.beforeNames, written.beforeNames);
    EXPECT_EQ(read.beforeNameTimes, written.beforeNameTimes);
    EXPECT_EQ(read.shootTime, 0);
    EXPECT_EQ(read.title, "");
}
