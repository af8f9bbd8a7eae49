#include "exif/exif_segment.h"

#include "exif/jpeg_segments.h"

std::optional<std::uint64_t> FindExifSegment(HeaderBytes& bytes) {
    if (!StartsWithSoi(bytes)) {
        return std::nullopt;
    }
    JpegSegments segments(bytes);
    while (const auto segment = segments.nextAsWritten()) {
        if (segment->marker == kJpegSos || segment->marker == kJpegEoi) {
            return std::nullopt;
        }
        if (segment->marker == kJpegApp1 && segment->length >= 2 + kExifIdentifier.size()) {
            const auto identifier = bytes.slice(segment->at + 2, kExifIdentifier.size());
            if (identifier && IsExifSegment(*identifier)) {
                return segment->at + 2 + kExifIdentifier.size();
            }
        }
    }
    return std::nullopt;
}
