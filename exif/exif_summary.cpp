#include "exif/exif_summary.h"

#include "platform/local_time.h"

#include <cstdio>

namespace {

std::string Coordinate(int (CExifAnalize::*getter)(double&) const, const CExifAnalize& reader) {
    double value = 0;
    if (!(reader.*getter)(value)) {
        return "";
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

} // namespace

ExifSummary SummariseExif(CExifAnalize& reader, const std::string& path) {
    ExifSummary summary;
    summary.result = reader.LoadExif(path);
    if (summary.result == 0) {
        std::int64_t time = 0;
        if (reader.GetDateTimeOriginal(time)) {
            summary.date = FormatDateTime(SecondsToLocal(time));
        }
        summary.latitude = Coordinate(&CExifAnalize::GetGpsLatitude, reader);
        summary.longitude = Coordinate(&CExifAnalize::GetGpsLongitude, reader);
    }
    reader.m_entries.clear();
    return summary;
}
