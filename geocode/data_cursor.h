#pragma once

#include "geocode/state_polygons.h"
#include "platform/byte_reader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads the built-in geocoder's data files front to back, every byte through the bounded reader:
// unsigned LEB128 numbers of at most 32 bits, zigzag-signed ones, length-prefixed strings.
class DataCursor {
public:
    explicit DataCursor(std::string_view bytes)
        : reader_({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, false),
          size_(bytes.size()) {}

    std::uint64_t left() const { return size_ - offset_; }
    std::optional<std::uint32_t> number();
    std::optional<std::int64_t> signedNumber();
    std::optional<std::string> text();
    // Steps over `magic` at the start of the file, false when the file does not start with it.
    bool skipMagic(std::string_view magic);

private:
    ByteReader reader_;
    std::uint64_t size_;
    std::uint64_t offset_ = 0;
};

// Whether a point in grid units lies on the earth.
bool onTheEarth(std::int64_t longitude, std::int64_t latitude);

// One ring as the scripts write it (its point count, then its points, the first absolute and each
// further one as the difference to the one before), appended to `rings` and `points` with its
// closing point repeated, for `owner`. False for fewer than three points, a count past the bytes
// left or a point off the earth.
bool readRing(DataCursor& cursor, std::uint32_t owner, std::vector<StateRing>& rings,
              std::vector<GridPoint>& points);
