#include "tests/test_support.h"
#include "workflow/destination_check.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Destination : ::testing::Test {
    TempDir card;
    TempDir disk;

    DestinationCheck check(const std::string& destination,
                           DestinationChecks checks = DestinationChecks::Writable) {
        return CheckDestination(card.path(), destination, checks);
    }
};

::testing::AssertionResult Refused(const DestinationCheck& check, DestinationProblem problem,
                                   int error) {
    if (check.problem == problem && check.error == error) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "problem " << static_cast<int>(check.problem) << ", errno " << check.error;
}

} // namespace

TEST_F(Destination, takesAFolderItCanWriteToAndRefusesNoFolderOrNoneAtAll) {
    EXPECT_TRUE(Refused(check(disk.path()), DestinationProblem::None, 0));
    WriteFile(disk.path() + "file", "not a folder");
    EXPECT_TRUE(Refused(check(disk.path() + "file/"), DestinationProblem::CannotWrite, ENOTDIR));
    EXPECT_TRUE(
        Refused(check(disk.path() + "file/below/"), DestinationProblem::CannotWrite, ENOTDIR));
    EXPECT_TRUE(Refused(check(disk.path() + "gone/"), DestinationProblem::CannotWrite, ENOENT));
    EXPECT_FALSE(std::filesystem::exists(disk.path() + "gone")) << "STEP5 makes no folder";
    // The folders come first: a folder inside the card is never made, nor written to.
    EXPECT_TRUE(Refused(check(card.path() + "sorted/", DestinationChecks::CreateWritable),
                        DestinationProblem::InsideSource, 0));
    EXPECT_FALSE(std::filesystem::exists(card.path() + "sorted"));
    EXPECT_TRUE(Refused(check(disk.path() + "new/sorted/", DestinationChecks::CreateWritable),
                        DestinationProblem::None, 0));
    EXPECT_TRUE(std::filesystem::is_directory(disk.path() + "new/sorted"));
    EXPECT_TRUE(Refused(check(disk.path() + "file/new/", DestinationChecks::CreateWritable),
                        DestinationProblem::CannotCreate, ENOTDIR));
    EXPECT_TRUE(Refused(check(disk.path() + "file/", DestinationChecks::NestingOnly),
                        DestinationProblem::None, 0));
}

TEST_F(Destination, refusesAFolderItsPermissionsKeepClosed) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes into a folder of mode 0555 all the same";
    }
    const std::string closed = disk.path() + "closed/";
    std::filesystem::create_directory(closed);
    chmod(closed.c_str(), 0555);
    EXPECT_TRUE(Refused(check(closed), DestinationProblem::CannotWrite, EACCES));
    chmod(closed.c_str(), 0755);
}
