#include "platform/cp932.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

TEST(Cp932, writesTheBytesWindowsWritesIncludingItsExtensions) {
    EXPECT_EQ(Utf8ToCp932Strict("日本"), "\x93\xFA\x96\x7B");
    EXPECT_EQ(Utf8ToCp932Strict("ｱ"), "\xB1");
    EXPECT_EQ(Utf8ToCp932Strict("①"), "\x87\x40");
    EXPECT_EQ(Utf8ToCp932Strict("～"), "\x81\x60");
    EXPECT_EQ(Utf8ToCp932Strict("a\\~/<"), "a\\~/<") << "ASCII passes through";
    EXPECT_EQ(Cp932ToUtf8Strict("\x81\x60"), "～");
    EXPECT_EQ(Cp932ToUtf8Strict("\x87\x40\xB1"), "①ｱ");
}

TEST(Cp932, roundTripsAJapaneseMessage) {
    const std::string message = "ＸＭＬファイル作成に失敗しました";
    const std::optional<std::string> cp932 = Utf8ToCp932Strict(message);
    ASSERT_TRUE(cp932);
    EXPECT_EQ(cp932->size(), 32u) << "sixteen double-byte characters";
    EXPECT_EQ(Cp932ToUtf8Strict(*cp932), message);
    EXPECT_EQ(Cp932ToUtf8Replacing(Utf8ToCp932Replacing(message)), message);
    EXPECT_EQ(Utf8ToCp932Strict(""), "");
}

TEST(Cp932, refusesOrReplacesACharacterWithoutCp932FormAndInvalidUtf8) {
    EXPECT_EQ(Utf8ToCp932Strict("caf\xC3\xA9"), std::nullopt);
    EXPECT_EQ(Utf8ToCp932Replacing("caf\xC3\xA9 日"), "caf? \x93\xFA");
    EXPECT_EQ(Utf8ToCp932Replacing("\xF0\x9F\x93\xB7!"), "?!") << "one mark for a 4-byte character";
    EXPECT_EQ(Utf8ToCp932Strict("a\xFF"), std::nullopt);
    EXPECT_EQ(Utf8ToCp932Replacing("a\xFF\x80z"), "a??z");
}

TEST(Cp932, refusesOrReplacesInvalidCp932Bytes) {
    EXPECT_EQ(Cp932ToUtf8Strict("\x93\xFA\x81"), std::nullopt);
    EXPECT_EQ(Cp932ToUtf8Replacing("\x93\xFA\x81"), "日\xEF\xBF\xBD");
    EXPECT_EQ(Cp932ToUtf8Replacing("\x81 a\xA0"), "\xEF\xBF\xBD a\xEF\xBF\xBD")
        << "a bad trail byte is read again on its own";
}

TEST(Cp932, convertsOnSeveralThreadsAtOnce) {
    std::vector<int> failures(4, 0);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < failures.size(); ++t) {
        threads.emplace_back([&failures, t] {
            for (int i = 0; i < 500; ++i) {
                failures[t] += Utf8ToCp932Replacing("日本é") != "\x93\xFA\x96\x7B?";
                failures[t] += Cp932ToUtf8Replacing("\x93\xFA\x81") != "日\xEF\xBF\xBD";
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}
