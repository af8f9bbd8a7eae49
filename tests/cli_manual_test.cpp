#include "tests/cli_runner.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace {

// The options (--name) and the title-option keys (1_1_CB, ...) a text names.
std::set<std::string> Names(const std::string& text) {
    std::set<std::string> names;
    const std::regex name("--[a-z][a-z-]*|[0-9]_[0-9]_[A-Za-z]+");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), name);
         it != std::sregex_iterator(); ++it) {
        names.insert(it->str());
    }
    return names;
}

std::string Unescaped(std::string roff) {
    return std::regex_replace(roff, std::regex(R"(\\-)"), "-");
}

} // namespace

TEST(CliManual, namesTheSameCommandsOptionsAndKeysAsTheHelpText) {
    const std::string help = Cli("--help").out;
    const std::string manual = Unescaped(ReadFile(TESSARO_MANUAL));
    EXPECT_EQ(Names(manual), Names(help));
    EXPECT_GE(Names(help).size(), 16u);
    for (const char* command : {"exif FILE...", "plan SOURCE", "sort SOURCE DEST"}) {
        EXPECT_NE(help.find(command), std::string::npos) << command;
    }
    for (const char* command : {"BI exif", "BI plan", "BI sort"}) {
        EXPECT_NE(manual.find(std::string(".") + command), std::string::npos) << command;
    }
}
