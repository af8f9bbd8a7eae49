#include "exif/exif_analize.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The reader works on files, so each input becomes the whole of one in-memory file.
int InputFile() {
    static const int fd = memfd_create("exif-input", 0);
    return fd;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int fd = InputFile();
    if (fd < 0 || ftruncate(fd, 0) != 0 ||
        pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) {
        __builtin_trap();
    }
    static CExifAnalize reader;
    const int result = reader.LoadExif("/proc/self/fd/" + std::to_string(fd));
    if (result != 0 && !reader.m_entries.empty()) {
        __builtin_trap();
    }
    std::int64_t time = 0;
    double latitude = 0;
    double longitude = 0;
    reader.GetDateTimeOriginal(time);
    if ((reader.GetGpsLatitude(latitude) && !std::isfinite(latitude)) ||
        (reader.GetGpsLongitude(longitude) && !std::isfinite(longitude))) {
        __builtin_trap();
    }
    for (const CExifEntryInfo& entry : reader.m_entries) {
        if (entry.m_strText.size() > 8192 || entry.m_nIfd < 0 || entry.m_nIfd > 2) {
            __builtin_trap();
        }
    }
    reader.m_entries.clear();
    return 0;
}
