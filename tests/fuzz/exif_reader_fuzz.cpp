#include "exif/exif_analize.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The reader works on files, so each input becomes the whole of one in-memory file.
int InputFile() {
    static const int fd = memfd_create("exif-input", 0);
    return fd;
}

// `behindApp2`: the walk cannot pass the APP2 in front, so whatever the reader gives comes from
// the second look, which answers only with a date.
void Read(std::string_view bytes, bool behindApp2) {
    const int fd = InputFile();
    if (fd < 0 || ftruncate(fd, 0) != 0 ||
        pwrite(fd, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size())) {
        __builtin_trap();
    }
    static CExifAnalize reader;
    const int result = reader.LoadExif("/proc/self/fd/" + std::to_string(fd));
    if (result != 0 && (!reader.m_entries.empty() || reader.m_bTiffOffsets != 0 ||
                        reader.m_nByteOrder != CExifAnalize::kNoByteOrder)) {
        __builtin_trap();
    }
    std::int64_t time = 0;
    double latitude = 0;
    double longitude = 0;
    const int dated = reader.GetDateTimeOriginal(time);
    if ((behindApp2 && result == 0 && !dated) ||
        (reader.GetGpsLatitude(latitude) && !std::isfinite(latitude)) ||
        (reader.GetGpsLongitude(longitude) && !std::isfinite(longitude))) {
        __builtin_trap();
    }
    for (const CExifEntryInfo& entry : reader.m_entries) {
        if (entry.m_strText.size() > 8192 || entry.m_nIfd < 0 || entry.m_nIfd > 2) {
            __builtin_trap();
        }
    }
    reader.m_entries.clear();
}

} // namespace

// Each input is read as it is, then once more with an empty APP2 segment in place of its first
// two bytes, so the second look walks every input's segments.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    Read(input, false);
    static std::string behind;
    behind.assign("\xFF\xD8\xFF\xE2\x00\x02", 6);
    behind.append(input.substr(std::min<std::size_t>(2, size)));
    Read(behind, true);
    return 0;
}
