#include "bench/benches.h"

#include "catalogue/memory_list_view.h"
#include "platform/local_time.h"
#include "titles/assign_titles.h"

#include <chrono>
#include <cstdio>
#include <random>

namespace {

constexpr int kPhotos = 100000;

// Photos over ten years in random order, as a scan of many cards would list them; a third
// without a place, some taken in bursts within one second.
void AddPhotos(CManageQELFileInfo& catalogue) {
    const std::vector<std::vector<std::string>> places = {
        {},
        {"日本", "京都府", "京都市", "東山区", "祇園町"},
        {"日本", "北海道", "札幌市", "中央区"},
    };
    std::mt19937 random(20261208);
    const std::int64_t start = LocalToSeconds({2015, 1, 1, 0, 0, 0});
    std::uniform_int_distribution<std::int64_t> offset(0, 10LL * 365 * 86400);
    std::int64_t time = start;
    for (int i = 0; i < kPhotos; ++i) {
        auto photo = std::make_unique<QELFileInfo>();
        char name[32];
        std::snprintf(name, sizeof name, "DSC_%05d.JPG", i % 10000);
        photo->name = name;
        photo->path = "/card/DCIM/" + photo->name;
        if (i % 8 != 0) { // the rest are a burst: the previous photo's second
            time = start + offset(random);
        }
        photo->shootTime = time;
        photo->dateTimeOriginalText = FormatDateTime(SecondsToLocal(time));
        photo->shortAddresses = places[i % places.size()];
        photo->mutex = catalogue.mutex;
        catalogue.photos.push_back(std::move(photo));
    }
}

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

// STEP4 and one option change, as the main window runs them, over a list that draws nothing.
int BenchTitles() {
    MemoryListView sourceRows;
    MemoryListView resultRows;
    CManageQELFileInfo catalogue;
    catalogue.initCatalogue(&sourceRows, &resultRows, "");
    AddPhotos(catalogue);

    const auto start = std::chrono::steady_clock::now();
    assignTitles(catalogue, nullptr);
    const double assigned = Since(start);
    catalogue.options.fileChoice = 3;
    const auto again = std::chrono::steady_clock::now();
    retitle(catalogue, nullptr);
    const double retitled = Since(again);

    std::printf("photos %d, result entries %zu\n", kPhotos, catalogue.results.size());
    std::printf("assignTitles %.1f ms, retitle %.1f ms, together %.1f ms\n", assigned * 1e3,
                retitled * 1e3, (assigned + retitled) * 1e3);
    std::printf("%.1f photos/s\n", kPhotos / (assigned + retitled));
    return 0;
}
