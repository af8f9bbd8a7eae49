#pragma once

#include "platform/path_at.h"
#include <cstdint>
#include <memory>

#include <string>

enum class ReadBackResult {
    Equal,
    Different, // the copy holds other bytes than its source, or another number of them
    Failed,    // either could not be read; errno says why
};

// Reads a copy back from the device it was written to and compares it with its source. The copy
// is read past the page cache (direct reads, or where the file system has none, after its pages
// are dropped), so that its bytes come from the device and not from what the kernel still holds
// of the write; it must be synced before, as only clean pages can be dropped. Its pages are
// dropped after, too: they were read only to check. The source is read as it comes: its pages
// are usually still in memory from the copy, so a card is not read twice. Holds its buffers from
// one comparison to the next.
class CopyReadBack {
public:
    ReadBackResult compare(const std::string& source, const PathAt& copy);

private:
    struct Free {
        void operator()(std::uint8_t* bytes) const;
    };

    // Aligned for direct reads.
    std::unique_ptr<std::uint8_t, Free> source_;
    std::unique_ptr<std::uint8_t, Free> copy_;
};
