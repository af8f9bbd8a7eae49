#pragma once

#include "platform/path_at.h"

#include <string>
#include <sys/stat.h>

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
// FileSystemSync. Below a held folder (see PathAt) no link on the way to the target is followed,
// and the target's own name is never written through.
CopyOutcome CopyFileNoReplace(const std::string& source, const PathAt& target);

// Opens the regular file `source` read-only for a copy and takes its status from the very
// descriptor the copy will read; -1 with errno set (EINVAL for no regular file).
int OpenCopySource(const std::string& source, struct stat& status);

// CopyFileNoReplace from a source opened by OpenCopySource, `status` being what it found.
CopyOutcome CopyOpenedNoReplace(int source, const struct stat& status, const PathAt& target);

// Flushes what was written to the file system that holds a folder, as `sync` does for all file
// systems. It watches that file system from its construction on: the kernel reports an error it
// met writing back in the background only to those who were watching when it happened.
class FileSystemSync {
public:
    explicit FileSystemSync(const std::string& folder);
    // The file system of a folder held open, watched from now on.
    explicit FileSystemSync(int folder);
    ~FileSystemSync();
    FileSystemSync(const FileSystemSync&) = delete;
    FileSystemSync& operator=(const FileSystemSync&) = delete;

    // False, with errno set, when something written since construction could not be kept.
    bool sync();

private:
    std::string folder_;
    int fd_;
};
