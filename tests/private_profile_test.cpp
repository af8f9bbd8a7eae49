#include "platform/private_profile.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

namespace {

struct Profile : ::testing::Test {
    TempDir dir;
    std::string path = dir.path() + "tessaroInit.Ini";

    std::string get(const std::string& section, const std::string& key, std::size_t size = 99) {
        return GetPrivateProfileString(section, key, "(default)", path, size);
    }
};

} // namespace

TEST_F(Profile, matchesSectionsAndKeysCaseInsensitivelyInTheFirstSectionOfAName) {
    WriteFile(path, "top=outside\n[ Other ]\r\nSource = other \r\n"
                    "[InitFolder]\n\t FolderSTEP1 \t= /media/card/ \t\nno equals\nValue=a=b\n"
                    "value=second\n[initfolder]\nlater=1\n");
    EXPECT_EQ(get("initfolder", "folderstep1"), "/media/card/");
    EXPECT_EQ(get("OTHER", "source"), "other");
    EXPECT_EQ(get("InitFolder", "VALUE"), "a=b");
    EXPECT_EQ(get("InitFolder", "top"), "(default)");
    EXPECT_EQ(get("InitFolder", "no equals"), "(default)");
    EXPECT_EQ(get("InitFolder", "later"), "(default)");
    EXPECT_EQ(get("Missing", "Source"), "(default)");
    std::filesystem::remove(path);
    EXPECT_EQ(get("Other", "Source"), "(default)");
}

TEST_F(Profile, cutsTheValueToCapacityMinusOneBytesAtACharacterBoundary) {
    WriteFile(path, "[A]\nk=ab\xE6\x97\xA5\xE6\x9C\xAC\n"); // "ab日本"
    EXPECT_EQ(get("A", "k", 4), "ab");
    EXPECT_EQ(get("A", "k", 6), "ab\xE6\x97\xA5");
    EXPECT_EQ(get("A", "k", 1), "");
    EXPECT_EQ(get("A", "missing", 4), "(de");
}

TEST_F(Profile, readsIntegersAsAtoiDoesAndAnEmptyValueAsMissing) {
    WriteFile(path, "[N]\nsuffix=12abc\nneg=-7\nword=abc\nempty=\nhuge=99999999999\n");
    EXPECT_EQ(GetPrivateProfileInt("N", "suffix", 5, path), 12);
    EXPECT_EQ(GetPrivateProfileInt("N", "neg", 5, path), -7);
    EXPECT_EQ(GetPrivateProfileInt("N", "word", 5, path), 0);
    EXPECT_EQ(GetPrivateProfileInt("N", "empty", 5, path), 5);
    EXPECT_EQ(GetPrivateProfileInt("N", "missing", 5, path), 5);
    EXPECT_EQ(GetPrivateProfileInt("N", "huge", 5, path), INT_MAX);
}

TEST_F(Profile, writeCreatesTheFileAndSectionAndReadsBack) {
    ASSERT_TRUE(WritePrivateProfileString("InitFolder", "FolderSTEP1", "/media/ca rd/", path));
    ASSERT_TRUE(WritePrivateProfileString("InitFolder", "FolderSTEP2", "/home/写真/", path));
    EXPECT_EQ(ReadFile(path), "[InitFolder]\nFolderSTEP1=/media/ca rd/\nFolderSTEP2=/home/写真/\n");
    EXPECT_EQ(get("INITFOLDER", "folderstep2"), "/home/写真/");
}

TEST_F(Profile, writeReplacesTheFirstValueInPlaceKeepingEveryOtherLineByteForByte) {
    WriteFile(path, "; settings\n\n[A]\r\n  Key = old ; c\r\nkey=second\n\n[B]\nkey=b\nlast");
    ASSERT_TRUE(WritePrivateProfileString("a", "KEY", "new", path));
    EXPECT_EQ(ReadFile(path), "; settings\n\n[A]\r\n  Key = new\r\nkey=second\n\n[B]\nkey=b\nlast");
}

TEST_F(Profile, writeAppendsAMissingKeyBeforeTheBlankLinesEndingItsSectionAndAMissingSectionLast) {
    WriteFile(path, "[A]\nx=1\n; note\n\n\n[B]\ny=2");
    ASSERT_TRUE(WritePrivateProfileString("A", "z", "3", path));
    ASSERT_TRUE(WritePrivateProfileString("B", "w", "4", path));
    ASSERT_TRUE(WritePrivateProfileString("C", "v", "5", path));
    EXPECT_EQ(ReadFile(path), "[A]\nx=1\n; note\nz=3\n\n\n[B]\ny=2\nw=4\n\n[C]\nv=5\n");
}

TEST_F(Profile, writeFailsCleanlyInAMissingFolderOrWhenTheTextWouldBreakALine) {
    EXPECT_FALSE(WritePrivateProfileString("A", "k", "v", dir.path() + "missing/x.Ini"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "missing"));
    EXPECT_FALSE(WritePrivateProfileString("A", "k", "two\nlines", path));
    EXPECT_FALSE(WritePrivateProfileString("A", "k=x", "v", path));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(Profile, writesSeveralKeysInOneReplacementOrNoneWhenOneCannotBeWritten) {
    WriteFile(path, "[Parameter]\nb=old\n[Other]\na=keep\n");
    ASSERT_TRUE(
        WritePrivateProfileStrings("Parameter", {{"a", "1"}, {"b", "2"}, {"c", "3"}}, path));
    EXPECT_EQ(ReadFile(path), "[Parameter]\nb=2\na=1\nc=3\n[Other]\na=keep\n");
    EXPECT_FALSE(WritePrivateProfileStrings("Parameter", {{"a", "9"}, {"b", "x\ny"}}, path));
    EXPECT_EQ(get("Parameter", "a"), "1");
}
