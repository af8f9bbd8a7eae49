#include "exif/camera_written.h"
#include "exif/exif_analize.h"
#include "exif/exif_preview.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
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
// the second look, which answers only with a date. Returns where the TIFF bytes it read start.
std::optional<std::size_t> Read(std::string_view bytes, bool behindApp2) {
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
    return result == 0 ? std::optional<std::size_t>(reader.m_nTiffBase) : std::nullopt;
}

// The preview reader on the input as TIFF bytes and on the TIFF bytes of its Exif segment: the
// preview lies within them, and the camera rule takes whatever the block says.
void ReadPreview(std::string_view bytes, std::optional<std::size_t> exifBase) {
    const auto all = std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    for (const std::size_t base : {std::size_t{0}, exifBase.value_or(0)}) {
        const auto tiff = all.subspan(std::min(base, all.size()));
        const auto preview = ReadExifPreview(tiff);
        if (!preview) {
            continue;
        }
        if (preview->jpeg.data() < tiff.data() ||
            preview->jpeg.data() + preview->jpeg.size() > tiff.data() + tiff.size()) {
            __builtin_trap();
        }
        WrittenByCamera(*preview, 0);
    }
}

} // namespace

// Each input is read as it is, then once more with an empty APP2 segment in place of its first
// two bytes, so the second look walks every input's segments.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    ReadPreview(input, Read(input, false));
    static std::string behind;
    behind.assign("\xFF\xD8\xFF\xE2\x00\x02", 6);
    behind.append(input.substr(std::min<std::size_t>(2, size)));
    Read(behind, true);
    return 0;
}
