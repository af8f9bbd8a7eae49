#include "bench/benches.h"

#include "bench/geocode_hit_rates.h"

#include "geocode/builtin_geocoder.h"
#include "geocode/geocoding_service.h"
#include "geocode/reverse_geocode.h"

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kPositions = 10000;
constexpr int kRounds = 10;

struct Position {
    double latitude;
    double longitude;
};

// Where photos are taken: around the cities of every region, from Wakkanai to Naha, scattered
// some tens of kilometres into the country around them.
std::vector<Position> PositionsOverJapan() {
    const std::vector<Position> centres = {
        {45.41, 141.67}, {43.06, 141.35}, {43.77, 142.37}, {41.77, 140.73}, {42.92, 143.20},
        {40.82, 140.74}, {39.72, 140.10}, {38.27, 140.87}, {37.75, 140.47}, {37.90, 139.02},
        {36.65, 138.18}, {36.56, 136.66}, {35.68, 139.69}, {35.44, 139.64}, {36.39, 139.06},
        {35.18, 136.91}, {34.98, 138.38}, {35.01, 135.77}, {34.69, 135.50}, {34.69, 135.19},
        {34.39, 132.46}, {35.47, 133.05}, {33.84, 132.77}, {33.56, 133.53}, {33.59, 130.40},
        {32.80, 130.71}, {31.60, 130.56}, {32.75, 129.88}, {26.21, 127.68}, {24.34, 124.16},
    };
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::size_t> pick(0, centres.size() - 1);
    std::normal_distribution<double> scatter(0.0, 0.25);
    std::vector<Position> positions;
    positions.reserve(kPositions);
    for (int i = 0; i < kPositions; ++i) {
        const Position& centre = centres[pick(random)];
        positions.push_back(
            {centre.latitude + scatter(random), centre.longitude + scatter(random)});
    }
    return positions;
}

// Resident memory in kilobytes.
long ResidentKilobytes() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    long kilobytes = 0;
    char line[256];
    while (status != nullptr && std::fgets(line, sizeof line, status) != nullptr) {
        if (std::sscanf(line, "VmRSS: %ld kB", &kilobytes) == 1) {
            break;
        }
    }
    if (status != nullptr) {
        std::fclose(status);
    }
    return kilobytes;
}

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

// The embedded geocoder as the analysis pass calls it: the request URL, the answer in the
// service's shape and its reading, for every photo.
int BenchGeocode() {
    const std::vector<Position> positions = PositionsOverJapan();
    const long before = ResidentKilobytes();
    const auto start = std::chrono::steady_clock::now();
    if (!prepareBuiltinGeocoder()) {
        std::fprintf(stderr, "the built-in geocoder cannot load its data\n");
        return 1;
    }
    const double built = Since(start);
    const long loaded = ResidentKilobytes() - before;
    PrintGeocodeHitRates();

    const GeocodingService service;
    int named = 0;     // down to the municipality or finer
    int stateOnly = 0; // country and state
    std::vector<std::string> names;
    const auto lookups = std::chrono::steady_clock::now();
    for (int round = 0; round < kRounds; ++round) {
        for (const Position& position : positions) {
            names.clear();
            reverseGeocode(service, position.latitude, position.longitude, names);
            if (round == 0) {
                named += names.size() >= 3;
                stateOnly += names.size() == 2;
            }
        }
    }
    const double looked = Since(lookups);
    const double rate = kPositions * kRounds / looked;

    std::printf("positions %d over Japan, %d rounds\n", kPositions, kRounds);
    std::printf("municipality named %d, state and country only %d, nothing %d\n", named, stateOnly,
                kPositions - named - stateOnly);
    std::printf("data loaded in %.1f ms, %.1f MB resident\n", built * 1e3, loaded / 1024.0);
    std::printf("%.0f look-ups/s, %.2f us each\n", rate, 1e6 / rate);
    std::printf("%.1f photos/s\n", rate);
    return 0;
}
