#pragma once

#include <string>

// Opens a file read-only for a look at its bytes, without blocking on a FIFO and, where the
// user may ask it, without touching its access time: reading a photo leaves it as it was.
// Returns the descriptor or -1 (errno set).
int OpenForReading(const std::string& path);
