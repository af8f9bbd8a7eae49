#include "platform/destination_root.h"

#include "platform/descriptor.h"

#include <sys/stat.h>

DestinationRoot::DestinationRoot(const std::string& folder) : path_(folder) {
    fd_ = open(folder.c_str(), O_RDONLY | O_CLOEXEC | O_DIRECTORY);
    struct stat status {};
    if (fd_ >= 0 && fstat(fd_, &status) == 0) {
        device_ = status.st_dev;
        inode_ = status.st_ino;
    }
}

DestinationRoot::~DestinationRoot() {
    if (fd_ >= 0) {
        const Descriptor held(fd_);
    }
}

PathAt DestinationRoot::at(const std::string& path) const {
    if (fd_ == AT_FDCWD || !path.starts_with(path_)) {
        return path;
    }
    return {fd_, path.substr(path_.size())};
}

bool DestinationRoot::stillThere() const {
    if (fd_ == AT_FDCWD) {
        return true;
    }
    struct stat held {};
    struct stat named {};
    return fd_ >= 0 && fstat(fd_, &held) == 0 && held.st_nlink != 0 &&
           stat(path_.c_str(), &named) == 0 && named.st_dev == device_ && named.st_ino == inode_;
}
