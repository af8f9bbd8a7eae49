#include "platform/valid_utf8.h"

#include <gtest/gtest.h>

TEST(ValidUtf8, keepsWellFormedTextAsItIs) {
    EXPECT_EQ(ValidUtf8(""), "");
    EXPECT_EQ(ValidUtf8("DSC01234.JPG"), "DSC01234.JPG");
    EXPECT_EQ(ValidUtf8("撮影場所：京都市 😀"), "撮影場所：京都市 😀");
}

TEST(ValidUtf8, replacesEveryByteThatStartsNoWellFormedSequence) {
    // A CP932 name on a Linux disk: 日本 in Shift-JIS, whose second trail byte is ASCII.
    EXPECT_EQ(ValidUtf8("\x93\xfa\x96\x7b.JPG"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD{.JPG");
    EXPECT_EQ(ValidUtf8("a\xE4\xBA"), "a\xEF\xBF\xBD\xEF\xBF\xBD") << "cut short at the end";
    EXPECT_EQ(ValidUtf8("\xC0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD") << "overlong";
    EXPECT_EQ(ValidUtf8("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD") << "surrogate";
    EXPECT_EQ(ValidUtf8("\xF4\x90\x80\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD")
        << "beyond U+10FFFF";
    EXPECT_EQ(ValidUtf8("\xE4\xBA"
                        "x"),
              "\xEF\xBF\xBD\xEF\xBF\xBDx");
}
