#include "bench/benches.h"

#include "bench/find_photos.h"
#include "exif/exif_analize.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

struct Pass {
    double seconds = 0;
    std::size_t dated = 0;
    std::size_t placed = 0;
};

// What the analysis worker asks of each photo, one after another on this thread.
Pass ReadAll(CExifAnalize& reader, const std::vector<std::string>& photos) {
    Pass pass;
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& photo : photos) {
        std::int64_t time = 0;
        double latitude = 0, longitude = 0;
        if (reader.LoadExif(photo) == 0) {
            pass.dated += reader.GetDateTimeOriginal(time);
            pass.placed += reader.GetGpsLatitude(latitude) && reader.GetGpsLongitude(longitude);
        }
        reader.m_entries.clear();
    }
    pass.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return pass;
}

} // namespace

// Date and position of every photo with the page cache warm: one pass to fill the cache, then
// the best of five timed passes.
int BenchExif(const std::string& folder) {
    const std::vector<std::string> photos = FindPhotos(folder);
    if (photos.empty()) {
        std::fprintf(stderr, "tessaro-bench: no .JPG below %s\n", folder.c_str());
        return 1;
    }
    CExifAnalize reader;
    const Pass warm = ReadAll(reader, photos);
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        times.push_back(ReadAll(reader, photos).seconds);
    }
    std::sort(times.begin(), times.end());
    std::printf("photos %zu, with date %zu, with position %zu\n", photos.size(), warm.dated,
                warm.placed);
    std::printf("best %.1f ms, median %.1f ms per pass\n", times.front() * 1e3, times[2] * 1e3);
    std::printf("%.1f photos/s\n", photos.size() / times.front());
    return 0;
}
