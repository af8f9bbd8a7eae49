#pragma once

#include <fcntl.h>
#include <string>
#include <utility>

// A path as the *at calls take it: relative to the folder `base` is open on, or, with AT_FDCWD,
// as open() takes it. A plain path string converts to one, so callers outside the destination
// go on naming files as they always did.
struct PathAt {
    PathAt(std::string path) : path(std::move(path)) {}
    PathAt(const char* path) : path(path) {}
    PathAt(int base, std::string path) : base(base), path(std::move(path)) {}

    int base = AT_FDCWD;
    std::string path; // below `base` no '/' leads it; empty names `base` itself
};

// Opens `folder` below `base` (ending in '/', or empty for `base` itself) as a directory without
// following a symbolic link on the way: no write below a held folder can leave it through one.
// openat2 refuses links where the kernel has it; elsewhere each component is opened with
// O_NOFOLLOW. With AT_FDCWD the path is opened as open() does. The descriptor, or -1 with errno
// set (ELOOP or ENOTDIR for a link or file in the way).
int OpenFolderBeneath(int base, const std::string& folder);

// The folder a path's last component lies in, opened as OpenFolderBeneath does, and that
// component: every call that writes below a held folder is made on the component alone, so that
// only the last component of a path can be a link, and the call itself decides whether to follow
// it. With AT_FDCWD nothing is opened and the path stays whole, as before.
class ParentAt {
public:
    explicit ParentAt(const PathAt& path);
    ~ParentAt();
    ParentAt(const ParentAt&) = delete;
    ParentAt& operator=(const ParentAt&) = delete;

    bool ok() const { return fd_ >= 0 || fd_ == AT_FDCWD; }
    // The component, relative to the opened folder.
    PathAt leaf() const { return {fd_, name_}; }
    // The folder itself, as TemporaryFile takes it: a new name appended to `path` lies beside
    // the component.
    PathAt folder() const { return {fd_, prefix_}; }

private:
    int fd_ = AT_FDCWD;
    bool owned_ = false;
    std::string name_;
    std::string prefix_;
};

// unlinkat of a file, the link itself where it is one: 0, or -1 with errno set.
int RemoveFileAt(const PathAt& path);

// The folder part of a path, ending in '/', or empty.
std::string FolderPart(const std::string& path);
