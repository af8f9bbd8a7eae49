#include "geocode/extract_element.h"
#include "geocode/geocode_answer.h"
#include "geocode/utf8_to_narrow.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

constexpr char kFffd[] = "\xEF\xBF\xBD";

} // namespace

TEST(Utf8ToNarrow, keepsValidTextAsItIsUpToItsFirstNul) {
    const std::string valid = "A\xC3\xA9 京都 \xF0\x9F\x98\x80 \xEF\xBF\xBF \xF4\x8F\xBF\xBF";
    EXPECT_EQ(utf8ToNarrow(valid), valid);
    EXPECT_EQ(utf8ToNarrow("ab\0<status>"s), "ab");
    EXPECT_EQ(utf8ToNarrow(""), "");
}

TEST(Utf8ToNarrow, replacesEachIllFormedSequenceWithOneReplacementCharacter) {
    const std::string r = kFffd;
    EXPECT_EQ(utf8ToNarrow("a\xFF"
                           "b\x80"),
              "a" + r + "b" + r);
    EXPECT_EQ(utf8ToNarrow("\xC0\xAF"), r + r) << "overlong '/'";
    EXPECT_EQ(utf8ToNarrow("\xE0\x80\xAF"), r + r + r) << "overlong '/'";
    EXPECT_EQ(utf8ToNarrow("\xED\xA0\x80"), r + r + r) << "surrogate";
    EXPECT_EQ(utf8ToNarrow("\xF4\x90\x80\x80"), r + r + r + r) << "past U+10FFFF";
    EXPECT_EQ(utf8ToNarrow("\xE4\xBA<"), r + "<") << "a cut-short sequence never eats the '<'";
    EXPECT_EQ(utf8ToNarrow("\xF0\x9F\x98\xF0\x9F\x98\x80"), r + "\xF0\x9F\x98\x80");
    EXPECT_EQ(utf8ToNarrow("\xE6\x97"), r);
}

TEST(ExtractElement, takesTheContentUnchangedAndReturnsWhereItBegins) {
    const std::string source = "<a><status> OK &amp; <b x=\"1\"/></status><status>2</status>";
    std::string content;
    EXPECT_EQ(extractElement("status", source, 0, content), 11);
    EXPECT_EQ(content, " OK &amp; <b x=\"1\"/>");
    EXPECT_EQ(extractElement("status", source, 11, content), 48);
    EXPECT_EQ(content, "2");
}

TEST(ExtractElement, failsWithoutBothTagsInOrderOrWithAStartOutsideTheSource) {
    std::string content = "kept";
    EXPECT_EQ(extractElement("status", "<status code=\"1\">OK</status>", 0, content), -1);
    EXPECT_EQ(extractElement("status", "</status><status>OK", 0, content), -1);
    EXPECT_EQ(extractElement("status", "<status>OK</status>", 1, content), -1);
    EXPECT_EQ(extractElement("status", "<status>OK</status>", -1, content), -1);
    EXPECT_EQ(extractElement("status", "<status>OK</status>", 100, content), -1);
    EXPECT_EQ(content, "kept");
}

// Answers built so that a walk restarting its searches from the start of each component would
// scan or copy the rest of the answer once per component: a megabyte of them would take minutes
// and gigabytes.
TEST(GeocodeAnswer, walksHostileAnswersInOnePass) {
    std::string unclosedComponents = "<status>OK</status><result>";
    std::size_t count = 0;
    for (; unclosedComponents.size() < (1 << 20); ++count) {
        unclosedComponents += "<address_component><long_name>n</long_name>";
    }
    unclosedComponents += "</address_component></result>";
    std::vector<std::string> names;
    EXPECT_EQ(readGeocodeAnswer(unclosedComponents, names), kGeocodeOk);
    EXPECT_EQ(names.size(), count);

    std::string unclosedNames = "<status>OK</status><result>";
    while (unclosedNames.size() < (1 << 20)) {
        unclosedNames += "<address_component><long_name>";
    }
    const std::size_t firstName = unclosedNames.find("<long_name>") + 11;
    unclosedNames += "</long_name></address_component></result>";
    names.clear();
    EXPECT_EQ(readGeocodeAnswer(unclosedNames, names), kGeocodeOk);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0].size(), unclosedNames.size() - firstName - 41);
}
