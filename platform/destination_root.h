#pragma once

#include "platform/path_at.h"

#include <string>
#include <sys/types.h>

// The folder a copy pass writes into, opened once at its start: everything below it is written
// relative to that descriptor, so a folder that is removed, renamed or unmounted meanwhile is
// never made anew at its path, and a folder put there in its place is never written into.
class DestinationRoot {
public:
    // No folder held: paths stay as they are, relative to the current folder or absolute.
    DestinationRoot() = default;
    // Opens `folder` (ending in '/'); ok() says whether that worked, errno why not.
    explicit DestinationRoot(const std::string& folder);
    ~DestinationRoot();
    DestinationRoot(const DestinationRoot&) = delete;
    DestinationRoot& operator=(const DestinationRoot&) = delete;

    bool ok() const { return fd_ >= 0 || fd_ == AT_FDCWD; }
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }

    // `path`, which lies below the folder (it starts with path()), relative to the descriptor.
    PathAt at(const std::string& path) const;
    // Whether the folder's path still leads to the folder opened and the folder is not removed.
    bool stillThere() const;

private:
    std::string path_;
    int fd_ = AT_FDCWD;
    dev_t device_ = 0;
    ino_t inode_ = 0;
};
