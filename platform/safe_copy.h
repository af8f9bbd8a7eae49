#pragma once

#include <string>

enum class CopyOutcome {
    Copied,
    TargetExists, // left as it was
    Failed,       // nothing left behind
};

// Copies the regular file `source` to `target` as the Windows CopyFile with fail-if-exists
// does, keeping its modification time: the bytes go in the kernel to a hidden temporary in the
// target's folder, which is then linked into place without replacing anything, so no reader ever
// sees a partial copy. The source is opened read-only. Not synced: see SyncFileSystemOf.
CopyOutcome CopyFileNoReplace(const std::string& source, const std::string& target);

// Removes the temporaries that a killed copy left in `folder` (those no live copy holds).
void RemoveStaleCopies(const std::string& folder);

// Flushes everything written to the file system that holds `path` (as `sync` does for all).
bool SyncFileSystemOf(const std::string& path);
