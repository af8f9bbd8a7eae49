#pragma once

#include "platform/path_at.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Opens a file read-only for a look at its bytes, without blocking on a FIFO and, where the
// user may ask it, without touching its access time: reading a photo leaves it as it was.
// Returns the descriptor or -1 (errno set).
int OpenForReading(const PathAt& path);

// Reads exactly `count` bytes at `offset`. A file that shrinks while it is read delivers fewer
// bytes than asked: that is a failed read, as is any error.
bool ReadFullyAt(int fd, std::uint64_t offset, std::uint8_t* into, std::size_t count);
