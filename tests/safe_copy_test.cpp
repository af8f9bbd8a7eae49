#include "platform/safe_copy.h"

#include "platform/file_system_seam.h"
#include "platform/same_contents.h"
#include "platform/temporary_file.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct stat Status(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
    return status;
}

// Everything in `folder` but the names given.
std::set<std::string> Others(const std::string& folder, std::set<std::string> known) {
    std::set<std::string> others;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!known.count(entry.path().filename().string())) {
            others.insert(entry.path().filename().string());
        }
    }
    return others;
}

std::string Bytes(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i * 31 % 253);
    }
    return bytes;
}

} // namespace

TEST(SafeCopy, copiesBytesModeAndTimesAndLeavesTheSourceAsItWas) {
    TempDir dir;
    const std::string source = dir.path() + "card/DSC_0001.JPG";
    WriteFile(source, Bytes(300000));
    ASSERT_EQ(chmod(source.c_str(), 0640), 0);
    const struct timespec times[2] = {{1300000000, 5}, {1281830730, 123456789}};
    ASSERT_EQ(utimensat(AT_FDCWD, source.c_str(), times, 0), 0);
    std::filesystem::create_directory(dir.path() + "out");
    const std::string target = dir.path() + "out/0905.JPG";

    ASSERT_EQ(CopyFileNoReplace(source, target), CopyOutcome::Copied);
    EXPECT_EQ(ReadFile(target), Bytes(300000));
    const struct stat copy = Status(target);
    EXPECT_EQ(copy.st_mtim.tv_sec, 1281830730);
    EXPECT_EQ(copy.st_mtim.tv_nsec, 123456789);
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(copy.st_mode & 0777, 0640u & ~mask);
    const struct stat after = Status(source);
    EXPECT_EQ(after.st_mtim.tv_sec, 1281830730);
    EXPECT_EQ(after.st_atim.tv_sec, 1300000000);
    EXPECT_EQ(ReadFile(source), Bytes(300000));
    EXPECT_TRUE(Others(dir.path() + "out", {"0905.JPG"}).empty());
}

TEST(SafeCopy, neverTouchesAnExistingTarget) {
    TempDir dir;
    WriteFile(dir.path() + "a.JPG", "new bytes");
    WriteFile(dir.path() + "b.JPG", "old bytes");
    EXPECT_EQ(CopyFileNoReplace(dir.path() + "a.JPG", dir.path() + "b.JPG"),
              CopyOutcome::TargetExists);
    EXPECT_EQ(ReadFile(dir.path() + "b.JPG"), "old bytes");
    ASSERT_EQ(symlink("nowhere", (dir.path() + "link.JPG").c_str()), 0);
    EXPECT_EQ(CopyFileNoReplace(dir.path() + "a.JPG", dir.path() + "link.JPG"),
              CopyOutcome::TargetExists);
    EXPECT_TRUE(Others(dir.path(), {"a.JPG", "b.JPG", "link.JPG"}).empty());
}

TEST(SafeCopy, failsWithoutATraceWhenSourceOrTargetFolderIsUnusable) {
    TempDir dir;
    WriteFile(dir.path() + "a.JPG", "bytes");
    std::filesystem::create_directory(dir.path() + "sub");
    EXPECT_EQ(CopyFileNoReplace(dir.path() + "gone.JPG", dir.path() + "x.JPG"),
              CopyOutcome::Failed);
    EXPECT_EQ(CopyFileNoReplace(dir.path() + "sub", dir.path() + "x.JPG"), CopyOutcome::Failed);
    EXPECT_EQ(CopyFileNoReplace(dir.path() + "a.JPG", dir.path() + "missing/x.JPG"),
              CopyOutcome::Failed);
    EXPECT_EQ(CopyFileNoReplace(dir.path() + "a.JPG", "/proc/x.JPG"), CopyOutcome::Failed);
    EXPECT_TRUE(Others(dir.path(), {"a.JPG", "sub"}).empty());
}

TEST(SafeCopy, leavesNothingBehindWhenTheDiskFillsHalfWay) {
    TempDir dir;
    WriteFile(dir.path() + "big.JPG", Bytes(1 << 20));
    // A file-size limit makes the write fail part way, as a full disk does.
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const CopyOutcome outcome = CopyFileNoReplace(dir.path() + "big.JPG", dir.path() + "c.JPG");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(outcome, CopyOutcome::Failed);
    EXPECT_TRUE(Others(dir.path(), {"big.JPG"}).empty());
}

TEST(SafeCopy, removesOnlyTheTemporariesNoLiveWriterHolds) {
    TempDir dir;
    for (const char* name : {".tessaro-copy-dead", ".tessaro-copy-live", ".tessaro-4242-7.tmp",
                             ".tessaro-0123456789abcdef.tmp", ".tessaro-notes", "photo.JPG"}) {
        WriteFile(dir.path() + name, "partial");
    }
    const int live = open((dir.path() + ".tessaro-copy-live").c_str(), O_RDONLY);
    ASSERT_GE(live, 0);
    ASSERT_EQ(flock(live, LOCK_EX), 0);
    {
        const TemporaryFile writing(dir.path(), 0644);
        ASSERT_TRUE(writing.ok());
        RemoveStaleTemporaries(dir.path());
        EXPECT_TRUE(std::filesystem::exists(writing.path()));
    }
    close(live);
    EXPECT_EQ(Others(dir.path(), {}),
              (std::set<std::string>{".tessaro-copy-live", ".tessaro-notes", "photo.JPG"}));
    FileSystemSync sync(dir.path());
    EXPECT_TRUE(sync.sync());
    FileSystemSync nowhere(dir.path() + "missing/");
    EXPECT_FALSE(nowhere.sync());
}

// What FUSE mounts, case-insensitive cards and network file systems do, through the seam.
TEST(SafeCopy, copiesWithoutNoReplaceRenameOrLinksAndCountsLateErrorsAsFailures) {
    TempDir dir;
    WriteFile(dir.path() + "a.JPG", "photo");
    WriteFile(dir.path() + "B.JPG", "other");
    FileSystemQuirks card;
    card.caseInsensitive = true;
    card.fuse = true;
    SetFileSystemQuirks(card);
    EXPECT_EQ(CopyFileNoReplace(dir.path() + "a.JPG", dir.path() + "c.JPG"), CopyOutcome::Copied);
    EXPECT_EQ(CopyFileNoReplace(dir.path() + "a.JPG", dir.path() + "b.JPG"),
              CopyOutcome::TargetExists);
    EXPECT_TRUE(SameContents(dir.path() + "c.JPG", dir.path() + "A.jpg"));
    EXPECT_FALSE(SameContents(dir.path() + "a.JPG", dir.path() + "b.jpg"));
    EXPECT_FALSE(SameContents(dir.path() + "a.JPG", dir.path()));

    FileSystemQuirks network;
    network.closeFailsFor = "d.JPG";
    network.syncFails = true;
    SetFileSystemQuirks(network);
    EXPECT_EQ(CopyFileNoReplace(dir.path() + "a.JPG", dir.path() + "d.JPG"), CopyOutcome::Failed);
    EXPECT_EQ(errno, EIO);
    EXPECT_FALSE(FileSystemSync(dir.path()).sync());
    SetFileSystemQuirks({});
    EXPECT_EQ(Others(dir.path(), {}), (std::set<std::string>{"a.JPG", "B.JPG", "c.JPG"}));
    EXPECT_EQ(ReadFile(dir.path() + "c.JPG"), "photo");
}
