#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>

// Every byte of an untrusted file (a JPEG, a record file, an HTTP answer) is read through this:
// a read past the end is refused, not performed. Offsets are 64-bit, so no sum of a file's
// offsets can wrap.
class ByteReader {
public:
    ByteReader(std::span<const std::uint8_t> bytes, bool bigEndian)
        : bytes_(bytes), bigEndian_(bigEndian) {}

    std::optional<std::uint32_t> u8(std::uint64_t offset) const { return Read(offset, 1); }
    std::optional<std::uint32_t> u16(std::uint64_t offset) const { return Read(offset, 2); }
    std::optional<std::uint32_t> u32(std::uint64_t offset) const { return Read(offset, 4); }

    // The `length` bytes at `offset`, when all of them are there.
    std::optional<std::span<const std::uint8_t>> slice(std::uint64_t offset,
                                                       std::uint64_t length) const {
        if (offset > bytes_.size() || length > bytes_.size() - offset) {
            return std::nullopt;
        }
        return bytes_.subspan(offset, length);
    }

    // Where the first `byte` at or after `offset` stands; nothing when none does.
    std::optional<std::uint64_t> find(std::uint8_t byte, std::uint64_t offset) const {
        if (offset >= bytes_.size()) {
            return std::nullopt;
        }
        const auto rest = bytes_.subspan(offset);
        const void* found = std::memchr(rest.data(), byte, rest.size());
        if (found == nullptr) {
            return std::nullopt;
        }
        return offset +
               static_cast<std::uint64_t>(static_cast<const std::uint8_t*>(found) - rest.data());
    }

private:
    std::optional<std::uint32_t> Read(std::uint64_t offset, std::size_t width) const {
        const auto field = slice(offset, width);
        if (!field) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            value = (value << 8) | (*field)[bigEndian_ ? i : width - 1 - i];
        }
        return value;
    }

    std::span<const std::uint8_t> bytes_;
    bool bigEndian_;
};
