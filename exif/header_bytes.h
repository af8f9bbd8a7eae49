#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The bytes of an open file, fetched as parsing asks for them: a prefix that starts small and
// doubles when a read runs on past its end, so a photo costs one small read unless its EXIF data
// lies deep in the segment. A read that starts beyond the prefix, as after stepping over other
// segments, or ends far beyond any real EXIF segment gets a small window of its own instead, so
// the bytes stepped over are never fetched.
class HeaderBytes {
public:
    // Forgets the previous file, keeping the buffers' capacity for the next one.
    void reset(int fd, std::uint64_t fileSize);

    // The `length` bytes at `offset`, valid until the next call; nullopt when any of them lies
    // beyond the end of the file or cannot be read.
    std::optional<std::span<const std::uint8_t>> slice(std::uint64_t offset, std::uint64_t length);

private:
    bool growPrefix(std::uint64_t end);
    bool fillWindow(std::uint64_t offset, std::uint64_t length);

    int fd_ = -1;
    std::uint64_t fileSize_ = 0;
    std::vector<std::uint8_t> prefix_;
    std::uint64_t prefixLength_ = 0;
    std::vector<std::uint8_t> window_;
    std::uint64_t windowOffset_ = 0;
    std::uint64_t windowLength_ = 0;
};
