#pragma once

#include "platform/path_at.h"

#include <string>
#include <sys/types.h>

// A hidden file in the folder of its destination, written whole before it takes its real name,
// so that nobody ever sees a file half-written under that name. It is locked for as long as it
// lives, through a descriptor of its own, so the one it is written through can be closed (and
// a late error of the file system seen) before it is put in place; a temporary that a killed run
// left behind holds no lock, which is how RemoveStaleTemporaries tells it from a live one.
class TemporaryFile {
public:
    // Creates the file exclusively in `folder` (which ends in '/', or is empty for the folder
    // `folder.base` is open on, the current one by default) with `mode` (the umask applies).
    // `ok()` says whether that worked; errno says why not.
    TemporaryFile(const PathAt& folder, mode_t mode);
    // Removes the file unless it was put in place.
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool ok() const { return writer_ >= 0; }
    // The descriptor to write through, until `finishWriting`.
    int fd() const { return writer_; }
    const std::string& path() const { return path_; }
    // The file as the *at calls take it.
    PathAt at() const { return {folder_, path_}; }

    // Closes the descriptor written through, the file being on its way to `destination`; false
    // with errno set when the file system reports that the bytes could not be kept.
    bool finishWriting(const std::string& destination);
    // The file has taken its real name: there is nothing left to remove.
    void placed() { placed_ = true; }

private:
    int folder_; // not owned
    std::string path_;
    int writer_ = -1;
    int lock_ = -1;
    bool created_ = false;
    bool placed_ = false;
};

// Removes the temporaries that killed runs left in `folder`: those that no live writer, in this
// process or another, holds locked. Below a held folder, no link on the way is followed.
void RemoveStaleTemporaries(const PathAt& folder);
