#include "exif/header_bytes.h"

#include "platform/open_for_reading.h"

#include <algorithm>

namespace {

// Most photos have IFD0 and the Exif sub-IFD within the first few KiB; a window is as large.
constexpr std::uint64_t kFirstRead = 4096;
// An APP1 segment holds at most 64 KiB; a prefix never needs to grow much past that.
constexpr std::uint64_t kPrefixLimit = 128 * 1024;

} // namespace

void HeaderBytes::reset(int fd, std::uint64_t fileSize) {
    fd_ = fd;
    fileSize_ = fileSize;
    prefixLength_ = 0;
    windowLength_ = 0;
}

std::optional<std::span<const std::uint8_t>> HeaderBytes::slice(std::uint64_t offset,
                                                                std::uint64_t length) {
    if (offset > fileSize_ || length > fileSize_ - offset) {
        return std::nullopt;
    }
    const std::uint64_t end = offset + length;
    if (end > prefixLength_ && offset <= prefixLength_ && end <= kPrefixLimit && !growPrefix(end)) {
        return std::nullopt;
    }
    if (end <= prefixLength_) {
        return std::span<const std::uint8_t>(prefix_.data() + offset, length);
    }
    const bool inWindow = offset >= windowOffset_ && end <= windowOffset_ + windowLength_;
    if (!inWindow && !fillWindow(offset, length)) {
        return std::nullopt;
    }
    return std::span<const std::uint8_t>(window_.data() + (offset - windowOffset_), length);
}

bool HeaderBytes::growPrefix(std::uint64_t end) {
    std::uint64_t wanted = std::max({end, prefixLength_ * 2, kFirstRead});
    wanted = std::min({wanted, kPrefixLimit, fileSize_});
    if (prefix_.size() < wanted) {
        prefix_.resize(wanted);
    }
    if (!ReadFullyAt(fd_, prefixLength_, prefix_.data() + prefixLength_, wanted - prefixLength_)) {
        return false;
    }
    prefixLength_ = wanted;
    return true;
}

bool HeaderBytes::fillWindow(std::uint64_t offset, std::uint64_t length) {
    const std::uint64_t wanted = std::min(std::max(length, kFirstRead), fileSize_ - offset);
    if (window_.size() < wanted) {
        window_.resize(wanted);
    }
    windowLength_ = 0;
    if (!ReadFullyAt(fd_, offset, window_.data(), wanted)) {
        return false;
    }
    windowOffset_ = offset;
    windowLength_ = wanted;
    return true;
}
