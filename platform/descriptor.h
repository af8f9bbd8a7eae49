#pragma once

#include <cerrno>
#include <unistd.h>

// Owns a file descriptor and closes it when it goes, leaving errno as it was: the caller may
// still be about to report why something failed.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        const int error = errno;
        if (fd_ >= 0) {
            close(fd_);
        }
        errno = error;
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};
