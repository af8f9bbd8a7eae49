#include "ui/help_file.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Runs the test from `folder` and goes back afterwards.
class InFolder {
public:
    explicit InFolder(const std::string& folder) : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~InFolder() { std::filesystem::current_path(previous_); }

private:
    std::filesystem::path previous_;
};

} // namespace

TEST(HelpFile, prefersTheWorkingFolderThenTheInstalledDataFolder) {
    TempDir prefix;
    TempDir working;
    const std::string program = prefix.path() + "bin/tessaro";
    InFolder inside(working.path());
    EXPECT_EQ(FindHelpFile(program), "");

    WriteFile(prefix.path() + "share/tessaro/ReadMe.txt", "installed");
    EXPECT_EQ(FindHelpFile(program), prefix.path() + "share/tessaro/ReadMe.txt");
    EXPECT_EQ(FindHelpFile("tessaro"), "");

    WriteFile(working.path() + "ReadMe.txt", "beside");
    EXPECT_EQ(FindHelpFile(program), "./ReadMe.txt");
}
