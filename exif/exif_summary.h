#pragma once

#include "exif/exif_analize.h"

#include <string>

// One photo's answers as text: DateTimeOriginal as "%04d:%02d:%02d %02d:%02d:%02d" in local
// time, latitude and longitude as "%.6f"; each empty when the photo does not give it.
struct ExifSummary {
    int result = 0;
    std::string date;
    std::string latitude;
    std::string longitude;
};

// Loads `path` into `reader`, reads the answers and empties the reader's list again.
ExifSummary SummariseExif(CExifAnalize& reader, const std::string& path);
