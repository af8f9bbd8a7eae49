#include "bench/benches.h"

#include "bench/find_photos.h"
#include "display/make_thumbnail.h"

#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

// The thumbnail phase's own work, one photo after another as its worker does it: each record
// with a real mutex, each thumbnail fitted into the list's 30 x 30 box.
int BenchThumbs(const std::string& folder) {
    const std::vector<std::string> photos = FindPhotos(folder);
    if (photos.empty()) {
        std::fprintf(stderr, "tessaro-bench: no .JPG below %s\n", folder.c_str());
        return 1;
    }
    const ImageBox box{0, 0, 30, 30};
    std::mutex mutex;
    std::size_t made = 0;
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& path : photos) {
        QELFileInfo record;
        record.mutex = &mutex;
        record.path = path;
        made += static_cast<std::size_t>(MakeThumbnail(&record, box));
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::printf("photos %zu, thumbnails %zu, failed %zu\n", photos.size(), made,
                photos.size() - made);
    std::printf("thumbnails %.3f s, %.2f ms per photo\n", seconds,
                1000.0 * seconds / static_cast<double>(photos.size()));
    std::printf("%.1f photos/s\n", static_cast<double>(photos.size()) / seconds);
    return made == photos.size() ? 0 : 1;
}
