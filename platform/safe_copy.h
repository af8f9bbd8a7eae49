#pragma once

#include <string>

enum class CopyOutcome {
    Copied,
    TargetExists, // something bears the name already, and stays as it was
    Failed,       // nothing left behind; errno says why
};

// Copies the regular file `source` to `target` as the Windows CopyFile with fail-if-exists
// does, keeping its modification time: the bytes go in the kernel to a hidden temporary in the
// target's folder, which then takes the target's name without replacing anything, so no reader
// ever sees a partial copy. The source is opened read-only. Every error the file system reports
// on the way, also one it reports only when the copy is closed, fails the copy. Not synced: see
// FileSystemSync.
CopyOutcome CopyFileNoReplace(const std::string& source, const std::string& target);

// Flushes what was written to the file system that holds a folder, as `sync` does for all file
// systems. It watches that file system from its construction on: the kernel reports an error it
// met writing back in the background only to those who were watching when it happened.
class FileSystemSync {
public:
    explicit FileSystemSync(const std::string& folder);
    ~FileSystemSync();
    FileSystemSync(const FileSystemSync&) = delete;
    FileSystemSync& operator=(const FileSystemSync&) = delete;

    // False, with errno set, when something written since construction could not be kept.
    bool sync();

private:
    std::string folder_;
    int fd_;
};
