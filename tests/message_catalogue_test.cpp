#include "geocode/message_catalogue.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

using Messages = std::vector<std::pair<std::string, std::string>>;

std::string Word(std::uint32_t value, bool bigEndian) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[bigEndian ? 3 - i : i] = static_cast<char>(value >> (8 * i));
    }
    return bytes;
}

// A compiled catalogue as msgfmt lays it out: the header, the table of originals, the table of
// translations (length and offset of each text), then the texts, each ending in a NUL.
std::string MoFile(const Messages& messages, bool bigEndian = false) {
    const auto count = static_cast<std::uint32_t>(messages.size());
    const std::uint32_t originals = 28;
    const std::uint32_t translations = originals + 8 * count;
    std::string tables;
    std::string texts;
    std::uint32_t offset = translations + 8 * count;
    for (const bool translated : {false, true}) {
        for (const auto& [original, translation] : messages) {
            const std::string& text = translated ? translation : original;
            tables +=
                Word(static_cast<std::uint32_t>(text.size()), bigEndian) + Word(offset, bigEndian);
            texts += text + '\0';
            offset += static_cast<std::uint32_t>(text.size() + 1);
        }
    }
    return Word(0x950412DE, bigEndian) + Word(0, bigEndian) + Word(count, bigEndian) +
           Word(originals, bigEndian) + Word(translations, bigEndian) + Word(0, bigEndian) +
           Word(0, bigEndian) + tables + texts;
}

const Messages kMessages = {
    {"", "Content-Type: text/plain; charset=UTF-8\n"},
    {"JP", "日本"},
    {"JP.22", "京都府"},
    {std::string("city\0cities", 11), std::string("都市\0都市たち", 17)},
    {"untranslated", ""},
};

const MessageCatalogue kExpected = {{"JP", "日本"}, {"JP.22", "京都府"}, {"city", "都市"}};

} // namespace

TEST(MessageCatalogue, readsBothByteOrdersAndOnlyTheFirstFormOfAPlural) {
    EXPECT_EQ(readMessageCatalogue(MoFile(kMessages)), kExpected);
    EXPECT_EQ(readMessageCatalogue(MoFile(kMessages, true)), kExpected);
}

TEST(MessageCatalogue, skipsAMessageWhoseTextLiesOutsideTheFile) {
    std::string file = MoFile(kMessages);
    // The second translation ("日本") points past the end; its length stays plausible.
    const std::size_t entry = 28 + 8 * kMessages.size() + 8 * 1;
    file.replace(entry + 4, 4, Word(static_cast<std::uint32_t>(file.size()) - 2, false));
    MessageCatalogue expected = kExpected;
    expected.erase("JP");
    EXPECT_EQ(readMessageCatalogue(file), expected);

    file = MoFile(kMessages);
    file.replace(entry, 4, Word(0xFFFFFFF0, false)); // a length beyond any file
    EXPECT_EQ(readMessageCatalogue(file), expected);
}

TEST(MessageCatalogue, readsNothingWithoutTheMagicNumberOrWithTablesOutsideTheFile) {
    const std::string file = MoFile(kMessages);
    EXPECT_TRUE(readMessageCatalogue("").empty());
    EXPECT_TRUE(readMessageCatalogue(file.substr(0, 10)).empty());
    std::string changed = file;
    changed[0] = 'x';
    EXPECT_TRUE(readMessageCatalogue(changed).empty());
    changed = file;
    changed.replace(8, 4, Word(0x20000000, false)); // a count whose tables cannot fit
    EXPECT_TRUE(readMessageCatalogue(changed).empty());
    changed = file;
    changed.replace(16, 4, Word(static_cast<std::uint32_t>(file.size()) - 8, false));
    EXPECT_TRUE(readMessageCatalogue(changed).empty());
}

TEST(MessageCatalogue, readsTheJapaneseGeonamesCatalogueOfTheSystem) {
    const std::string path = "/usr/share/locale/ja/LC_MESSAGES/geonames.mo";
    const MessageCatalogue catalogue = readMessageCatalogue(ReadFile(path));
    ASSERT_GT(catalogue.size(), 7000u) << path << " (package libgeonames-common)";
    EXPECT_EQ(catalogue.at("JP"), "日本");
    EXPECT_EQ(catalogue.at("JP.22"), "京都府");
    EXPECT_EQ(catalogue.at("1857910"), "京都市");
}
