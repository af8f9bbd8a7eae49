#include "platform/local_time.h"
#include "records/record_lines.h"
#include "records/record_paths.h"
#include "records/record_reader.h"
#include "records/record_writer.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

namespace {

constexpr std::int64_t k20110305_090700 = 1299283620; // in Tokyo

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
    ASSERT_TRUE(ReadPhotoRecord(read, RecordFilePath(written)));
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
    ASSERT_TRUE(ReadPhotoRecord(read, RecordFilePath(written)));
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
        ASSERT_TRUE(ReadPhotoRecord(read, dir.path() + name)) << name;
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
    ASSERT_TRUE(ReadPhotoRecord(zero, dir.path() + "0.XML"));
    EXPECT_EQ(zero.exifStatus, kExifStatusFileTime);
    EXPECT_EQ(zero.shootTime, LocalToSeconds({2010, 8, 15, 9, 5, 0}));
    EXPECT_EQ(zero.latitude, 0.0);
    EXPECT_EQ(zero.longitude, 0.0);
    EXPECT_TRUE(zero.shortAddresses.empty());
    EXPECT_EQ(zero.dateTimeOriginalText, "2011:03:05 09:07:00");
    EXPECT_EQ(zero.fileDateTimeText, "2010:08:15 09:05:00");
    EXPECT_EQ(zero.orgDcfName, "DSC01234.JPG");

    QELFileInfo two = Scanned();
    ASSERT_TRUE(ReadPhotoRecord(two, dir.path() + "2.XML"));
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
    ASSERT_TRUE(ReadPhotoRecord(zeros, dir.path() + "zeros.XML"));
    EXPECT_EQ(zeros.exifStatus, kExifStatusFileTime);
    EXPECT_EQ(zeros.shootTime, LocalToSeconds({2010, 8, 15, 9, 5, 0}));
    EXPECT_EQ(zeros.latitude, 0.0);
    EXPECT_TRUE(zeros.shortAddresses.empty());
    EXPECT_EQ(zeros.dateTimeOriginalText, "0000:00:00 00:00:00");

    QELFileInfo empty = Scanned();
    ASSERT_TRUE(ReadPhotoRecord(empty, dir.path() + "empty.XML"));
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
    ASSERT_TRUE(ReadPhotoRecord(read, dir.path() + "r.XML"));
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
    ASSERT_TRUE(ReadPhotoRecord(read, RecordFilePath(written)));
    EXPECT_EQ(read.orgDcfName, "AB");
    EXPECT_EQ(read.beforeNames, std::vector<std::string>{"x"});
}

TEST(ReadPhotoRecord, recognisesAnyFileWithALineButNoEmptyOrMissingOne) {
    TempDir dir;
    WriteFile(dir.path() + "empty.XML", "");
    WriteFile(dir.path() + "blank.XML", "\r\n\n\r\n");
    WriteFile(dir.path() + "foreign.XML", std::string("\xff\xd8\xff\xe1\0\x10<Exif\x81", 10));
    std::filesystem::create_directory(dir.path() + "folder.XML");
    ASSERT_EQ(mkfifo((dir.path() + "fifo.XML").c_str(), 0600), 0);

    for (const char* name : {"missing.XML", "empty.XML", "blank.XML", "folder.XML", "fifo.XML"}) {
        QELFileInfo read = Scanned();
        EXPECT_FALSE(ReadPhotoRecord(read, dir.path() + name)) << name;
        EXPECT_EQ(read.exifStatus, kExifStatusNotAnalysed) << name;
        EXPECT_EQ(read.shootTime, 777) << name;
        EXPECT_EQ(ReadFolderRecord(read, dir.path() + name), 0) << name;
    }
    QELFileInfo foreign = Scanned();
    ASSERT_TRUE(ReadPhotoRecord(foreign, dir.path() + "foreign.XML"));
    EXPECT_EQ(foreign.exifStatus, kExifStatusFileTime) << "a missing number reads as 0";
    EXPECT_EQ(foreign.shootTime, 777);
    EXPECT_TRUE(foreign.beforeNames.empty());
    EXPECT_EQ(foreign.orgDcfName, "");
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

TEST(ReadRecordLines, readsOnlyTheStartOfAnOversizedFile) {
    TempDir dir;
    const std::string start = "<ExifStatus>2</ExifStatus>\n";
    WriteFile(dir.path() + "big.XML", start + std::string(kMaxRecordBytes, 'x') +
                                          "\n<NewDCFFileName>late</NewDCFFileName>\n");
    QELFileInfo read = Scanned();
    ASSERT_TRUE(ReadPhotoRecord(read, dir.path() + "big.XML"));
    EXPECT_EQ(read.exifStatus, kExifStatusNotAnalysed);
    EXPECT_EQ(read.newDcfName, "");
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
