#pragma once

#include <cstdint>
#include <string>

// The encoding of the built-in geocoder's data files (scripts/data_encoding.py), for tests that
// write such files byte by byte.

// An unsigned LEB128 number.
inline std::string Number(std::uint64_t value) {
    std::string bytes;
    do {
        const auto low = static_cast<char>(value & 0x7F);
        value >>= 7;
        bytes += value != 0 ? static_cast<char>(low | 0x80) : low;
    } while (value != 0);
    return bytes;
}

// A zigzag-signed number.
inline std::string Signed(std::int64_t value) {
    return Number(value >= 0 ? static_cast<std::uint64_t>(value) << 1
                             : (static_cast<std::uint64_t>(-value) << 1) - 1);
}

inline std::string Text(const std::string& text) {
    return Number(text.size()) + text;
}
