#pragma once

#include "exif/header_bytes.h"

#include <cstdint>
#include <optional>

// The file offset of the TIFF header in the first APP1 segment identified as "Exif\0\0",
// looking at every segment from SOI up to the start of scan. Each segment is stepped over by
// its own length field, never read; a step past the end of the file, another byte where a marker
// belongs, or more markers than any writer puts before the scan end the search.
std::optional<std::uint64_t> FindExifSegment(HeaderBytes& bytes);
