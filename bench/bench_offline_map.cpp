#include "bench/benches.h"

#include "map/offline_map.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 20;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Place {
    const char* name;
    double latitude;
    double longitude;
};

// Dense and sparse, coast and inland, both sides of the 180th meridian and a pole.
constexpr Place kPlaces[] = {
    {"Kyoto", 35.0116, 135.7681},   {"Tokyo", 35.6812, 139.7671},
    {"Sapporo", 43.0621, 141.3544}, {"Nagasaki", 32.7503, 129.8777},
    {"Naha", 26.2124, 127.6809},    {"Madrid", 40.4168, -3.7038},
    {"Zurich", 47.3769, 8.5417},    {"New York", 40.7580, -73.9855},
    {"Jakarta", -6.2088, 106.8456}, {"Taveuni", -16.80, 180.0},
    {"South Pole", -90.0, 0.0},     {"Pacific", 0.5, -140.0},
};

} // namespace

// The offline map as the map view's fetching thread draws it: the first map with the loading of
// the data, then every place at the view's 400 x 400 and at 1200 x 900.
int BenchOfflineMap() {
    OfflineMap map;
    auto start = Clock::now();
    if (DrawOfflineMap(kPlaces[0].latitude, kPlaces[0].longitude, PixelSize{400, 400}, map) !=
        kOfflineMapDrawn) {
        std::fprintf(stderr, "tessaro-bench-image: no offline map (the data is missing)\n");
        return 1;
    }
    std::printf("first map, data loaded with it: %.1f ms\n", MillisecondsSince(start));
    double total = 0.0;
    int maps = 0;
    for (const PixelSize size : {PixelSize{400, 400}, PixelSize{1200, 900}}) {
        double worst = 0.0;
        double sum = 0.0;
        for (const Place& place : kPlaces) {
            std::vector<double> times;
            for (int run = 0; run < kRuns; ++run) {
                start = Clock::now();
                DrawOfflineMap(place.latitude, place.longitude, size, map);
                times.push_back(MillisecondsSince(start));
            }
            const double slowest = *std::max_element(times.begin(), times.end());
            double mean = 0.0;
            for (const double ms : times) {
                mean += ms / kRuns;
            }
            std::printf("%d x %d %-10s mean %6.2f ms, slowest %6.2f ms, %zu names\n", size.width,
                        size.height, place.name, mean, slowest, map.labels.size());
            worst = std::max(worst, slowest);
            sum += mean * kRuns;
            total += mean * kRuns;
            maps += kRuns;
        }
        std::printf("%d x %d: mean %.2f ms, slowest %.2f ms\n", size.width, size.height,
                    sum / (kRuns * static_cast<double>(std::size(kPlaces))), worst);
    }
    std::printf("%.1f maps/s\n", 1000.0 * maps / total);
    return 0;
}
