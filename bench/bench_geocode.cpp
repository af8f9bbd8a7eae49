#include "bench/benches.h"

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

// Where a photo's prefecture is known: border towns, the Tokyo wards, islands and a spot in
// every region. Koiwa lies some 800 m from the Edo river, which the polygons' scale blurs.
struct KnownPlace {
    const char* name;
    double latitude;
    double longitude;
    const char* prefecture;
};
constexpr KnownPlace kKnownPlaces[] = {
    {"Akabane", 35.7775, 139.7210, "東京都"},
    {"Koiwa", 35.7331, 139.8820, "東京都"},
    {"Haneda airport", 35.5494, 139.7798, "東京都"},
    {"Mojikō", 33.9460, 130.9620, "福岡県"},
    {"Saigō, Oki", 36.2050, 133.3200, "島根県"},
    {"Asakusa", 35.7148, 139.7967, "東京都"},
    {"Tokyo Skytree", 35.7101, 139.8107, "東京都"},
    {"Hachijō-jima", 33.1100, 139.7900, "東京都"},
    {"Chichi-jima", 27.0940, 142.1920, "東京都"},
    {"Itsukushima", 34.2960, 132.3190, "広島県"},
    {"Hakone-Yumoto", 35.2330, 139.1050, "神奈川県"},
    {"Enoshima", 35.2990, 139.4800, "神奈川県"},
    {"Miyanoura, Yakushima", 30.4270, 130.5700, "鹿児島県"},
    {"Naze, Amami", 28.3775, 129.4937, "鹿児島県"},
    {"Hirara, Miyakojima", 24.8050, 125.2810, "沖縄県"},
    {"Kokusai-dōri, Naha", 26.2150, 127.6850, "沖縄県"},
    {"Kawaguchi", 35.8017, 139.7170, "埼玉県"},
    {"Matsudo", 35.7844, 139.9004, "千葉県"},
    {"Tokyo Disneyland", 35.6329, 139.8804, "千葉県"},
    {"Kawasaki station", 35.5313, 139.6969, "神奈川県"},
    {"Shimonoseki", 33.9500, 130.9225, "山口県"},
    {"Yonago", 35.4240, 133.3380, "鳥取県"},
    {"Sakaiminato", 35.5440, 133.2320, "鳥取県"},
    {"Shingū", 33.7250, 135.9930, "和歌山県"},
    {"Magome", 35.5270, 137.5660, "岐阜県"},
    {"Sapporo", 43.0621, 141.3544, "北海道"},
    {"Hakodate", 41.7687, 140.7288, "北海道"},
    {"Kushiro", 42.9849, 144.3820, "北海道"},
    {"Aomori", 40.8286, 140.7340, "青森県"},
    {"Morioka", 39.7016, 141.1365, "岩手県"},
    {"Sendai", 38.2601, 140.8825, "宮城県"},
    {"Akita", 39.7170, 140.1290, "秋田県"},
    {"Yamagata", 38.2480, 140.3280, "山形県"},
    {"Aizu-Wakamatsu", 37.4947, 139.9298, "福島県"},
    {"Niigata", 37.9120, 139.0610, "新潟県"},
    {"Nikkō", 36.7580, 139.5990, "栃木県"},
    {"Kusatsu Onsen", 36.6225, 138.5960, "群馬県"},
    {"Kawaguchiko", 35.5000, 138.7600, "山梨県"},
    {"Matsumoto", 36.2386, 137.9690, "長野県"},
    {"Kanazawa", 36.5621, 136.6627, "石川県"},
    {"Takayama", 36.1408, 137.2522, "岐阜県"},
    {"Nagoya station", 35.1709, 136.8815, "愛知県"},
    {"Ise Jingū", 34.4550, 136.7250, "三重県"},
    {"Kyoto station", 34.9858, 135.7588, "京都府"},
    {"Nara park", 34.6851, 135.8430, "奈良県"},
    {"Umeda", 34.7025, 135.4959, "大阪府"},
    {"Sannomiya", 34.6946, 135.1956, "兵庫県"},
    {"Izumo Taisha", 35.4020, 132.6850, "島根県"},
    {"Kōchi castle", 33.5606, 133.5315, "高知県"},
    {"Kumamoto castle", 32.8063, 130.7056, "熊本県"},
};

// How often the built-in geocoder names the prefecture a photo was taken in.
void PrintPrefectureHits() {
    const GeocodingService service;
    int right = 0;
    for (const KnownPlace& place : kKnownPlaces) {
        std::vector<std::string> names;
        reverseGeocode(service, place.latitude, place.longitude, names);
        const std::string named = names.size() >= 2 ? names[1] : "";
        if (named == place.prefecture) {
            ++right;
        } else {
            std::printf("  %s: %s, not %s\n", place.name, named.empty() ? "none" : named.c_str(),
                        place.prefecture);
        }
    }
    std::printf("prefecture right for %d of %zu known positions\n", right, std::size(kKnownPlaces));
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
    PrintPrefectureHits();

    const GeocodingService service;
    int named = 0;     // country, state and municipality
    int stateOnly = 0; // country and state
    std::vector<std::string> names;
    const auto lookups = std::chrono::steady_clock::now();
    for (int round = 0; round < kRounds; ++round) {
        for (const Position& position : positions) {
            names.clear();
            reverseGeocode(service, position.latitude, position.longitude, names);
            if (round == 0) {
                named += names.size() == 3;
                stateOnly += names.size() == 2;
            }
        }
    }
    const double looked = Since(lookups);
    const double rate = kPositions * kRounds / looked;

    std::printf("positions %d over Japan, %d rounds\n", kPositions, kRounds);
    std::printf("place named %d, state and country only %d, nothing %d\n", named, stateOnly,
                kPositions - named - stateOnly);
    std::printf("data loaded in %.1f ms, %.1f MB resident\n", built * 1e3, loaded / 1024.0);
    std::printf("%.0f look-ups/s, %.2f us each\n", rate, 1e6 / rate);
    std::printf("%.1f photos/s\n", rate);
    return 0;
}
