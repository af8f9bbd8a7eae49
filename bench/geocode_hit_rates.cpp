#include "bench/geocode_hit_rates.h"

#include "geocode/builtin_data.h"
#include "geocode/geocoding_service.h"
#include "geocode/reverse_geocode.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

constexpr int kTownPoints = 2000;
constexpr unsigned kTownSeed = 20261209;
constexpr double kMoveMetres = 100.0;
constexpr double kMetresPerDegree = 6371008.8 * std::numbers::pi / 180.0;

// Where a photo's place is known: border towns, the Tokyo wards, islands and a spot in every
// region, with the town of the landmark where its address is known (null where not). Koiwa lies
// some 800 m from the Edo river, which the states' scale blurred.
struct KnownPlace {
    const char* name;
    double latitude;
    double longitude;
    const char* prefecture;
    const char* municipality;
    const char* ward; // of a designated city, else null
    const char* town;
};
constexpr KnownPlace kKnownPlaces[] = {
    {"Akabane", 35.7775, 139.7210, "東京都", "北区", nullptr, "赤羽一丁目"},
    {"Koiwa", 35.7331, 139.8820, "東京都", "江戸川区", nullptr, "南小岩七丁目"},
    {"Haneda airport", 35.5494, 139.7798, "東京都", "大田区", nullptr, "羽田空港三丁目"},
    {"Mojikō", 33.9460, 130.9620, "福岡県", "北九州市", "門司区", "港町"},
    {"Saigō, Oki", 36.2050, 133.3200, "島根県", "隠岐の島町", nullptr, "港町"},
    {"Asakusa", 35.7148, 139.7967, "東京都", "台東区", nullptr, "浅草二丁目"},
    {"Tokyo Skytree", 35.7101, 139.8107, "東京都", "墨田区", nullptr, "押上一丁目"},
    {"Hachijō-jima", 33.1100, 139.7900, "東京都", "八丈町", nullptr, nullptr},
    {"Chichi-jima", 27.0940, 142.1920, "東京都", "小笠原村", nullptr, "父島"},
    {"Itsukushima", 34.2960, 132.3190, "広島県", "廿日市市", nullptr, "宮島町"},
    {"Hakone-Yumoto", 35.2330, 139.1050, "神奈川県", "箱根町", nullptr, "湯本"},
    {"Enoshima", 35.2990, 139.4800, "神奈川県", "藤沢市", nullptr, nullptr},
    {"Miyanoura, Yakushima", 30.4270, 130.5700, "鹿児島県", "屋久島町", nullptr, "宮之浦"},
    {"Naze, Amami", 28.3775, 129.4937, "鹿児島県", "奄美市", nullptr, nullptr},
    {"Hirara, Miyakojima", 24.8050, 125.2810, "沖縄県", "宮古島市", nullptr, "平良"},
    {"Kokusai-dōri, Naha", 26.2150, 127.6850, "沖縄県", "那覇市", nullptr, nullptr},
    {"Kawaguchi", 35.8017, 139.7170, "埼玉県", "川口市", nullptr, nullptr},
    {"Matsudo", 35.7844, 139.9004, "千葉県", "松戸市", nullptr, nullptr},
    {"Tokyo Disneyland", 35.6329, 139.8804, "千葉県", "浦安市", nullptr, "舞浜"},
    {"Kawasaki station", 35.5313, 139.6969, "神奈川県", "川崎市", "幸区", nullptr},
    {"Shimonoseki", 33.9500, 130.9225, "山口県", "下関市", nullptr, "竹崎町四丁目"},
    {"Yonago", 35.4240, 133.3380, "鳥取県", "米子市", nullptr, "弥生町"},
    {"Sakaiminato", 35.5440, 133.2320, "鳥取県", "境港市", nullptr, nullptr},
    {"Shingū", 33.7250, 135.9930, "和歌山県", "新宮市", nullptr, nullptr},
    {"Magome", 35.5270, 137.5660, "岐阜県", "中津川市", nullptr, "馬籠"},
    {"Sapporo", 43.0621, 141.3544, "北海道", "札幌市", "中央区", "北一条西二丁目"},
    {"Hakodate", 41.7687, 140.7288, "北海道", "函館市", nullptr, nullptr},
    {"Kushiro", 42.9849, 144.3820, "北海道", "釧路市", nullptr, nullptr},
    {"Aomori", 40.8286, 140.7340, "青森県", "青森市", nullptr, "柳川一丁目"},
    {"Morioka", 39.7016, 141.1365, "岩手県", "盛岡市", nullptr, "盛岡駅前通"},
    {"Sendai", 38.2601, 140.8825, "宮城県", "仙台市", "青葉区", "中央一丁目"},
    {"Akita", 39.7170, 140.1290, "秋田県", "秋田市", nullptr, "中通七丁目"},
    {"Yamagata", 38.2480, 140.3280, "山形県", "山形市", nullptr, "香澄町一丁目"},
    {"Aizu-Wakamatsu", 37.4947, 139.9298, "福島県", "会津若松市", nullptr, nullptr},
    {"Niigata", 37.9120, 139.0610, "新潟県", "新潟市", "中央区", "花園一丁目"},
    {"Nikkō", 36.7580, 139.5990, "栃木県", "日光市", nullptr, "山内"},
    {"Kusatsu Onsen", 36.6225, 138.5960, "群馬県", "草津町", nullptr, "大字草津"},
    {"Kawaguchiko", 35.5000, 138.7600, "山梨県", "富士河口湖町", nullptr, nullptr},
    {"Matsumoto", 36.2386, 137.9690, "長野県", "松本市", nullptr, "丸の内"},
    {"Kanazawa", 36.5621, 136.6627, "石川県", "金沢市", nullptr, "兼六町"},
    {"Takayama", 36.1408, 137.2522, "岐阜県", "高山市", nullptr, "花里町五丁目"},
    {"Nagoya station", 35.1709, 136.8815, "愛知県", "名古屋市", "中村区", "名駅一丁目"},
    {"Ise Jingū", 34.4550, 136.7250, "三重県", "伊勢市", nullptr, nullptr},
    {"Kyoto station", 34.9858, 135.7588, "京都府", "京都市", "下京区", "東塩小路町"},
    {"Nara park", 34.6851, 135.8430, "奈良県", "奈良市", nullptr, nullptr},
    {"Umeda", 34.7025, 135.4959, "大阪府", "大阪市", "北区", "梅田三丁目"},
    {"Sannomiya", 34.6946, 135.1956, "兵庫県", "神戸市", "中央区", nullptr},
    {"Izumo Taisha", 35.4020, 132.6850, "島根県", "出雲市", nullptr, "大社町杵築東"},
    {"Kōchi castle", 33.5606, 133.5315, "高知県", "高知市", nullptr, "丸ノ内一丁目"},
    {"Kumamoto castle", 32.8063, 130.7056, "熊本県", "熊本市", "中央区", "本丸"},
};

struct Truth {
    std::string prefecture;
    std::string municipality;
    std::string ward; // empty outside a designated city
    std::string town; // empty where unknown
};

struct Tally {
    int prefecture = 0;
    int municipality = 0;
    int town = 0;
    int towns = 0; // positions with a known town
    int positions = 0;
};

// Counts the levels the answer gets right; true when all of them are.
bool Score(const Names& names, const Truth& truth, Tally& tally) {
    const std::size_t townIndex = truth.ward.empty() ? 3 : 4;
    const bool prefecture = names.size() > 1 && names[1] == truth.prefecture;
    const bool municipality = prefecture && names.size() > 2 && names[2] == truth.municipality &&
                              (truth.ward.empty() || (names.size() > 3 && names[3] == truth.ward));
    const bool town = truth.town.empty() ||
                      (municipality && names.size() == townIndex + 1 && names.back() == truth.town);
    ++tally.positions;
    tally.prefecture += prefecture;
    tally.municipality += municipality;
    tally.towns += !truth.town.empty();
    tally.town += !truth.town.empty() && town;
    return prefecture && municipality && town;
}

Names Geocode(double latitude, double longitude) {
    const GeocodingService service;
    Names names;
    reverseGeocode(service, latitude, longitude, names);
    return names;
}

std::string Joined(const Names& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : " ") + name;
    }
    return text.empty() ? "none" : text;
}

void PrintTally(const char* what, const Tally& tally) {
    const auto percent = [](int part, int whole) { return whole ? 100.0 * part / whole : 0.0; };
    std::printf("%s: prefecture %.1f %%, municipality %.1f %%, town %.1f %% (of %d, %d with a "
                "known town)\n",
                what, percent(tally.prefecture, tally.positions),
                percent(tally.municipality, tally.positions), percent(tally.town, tally.towns),
                tally.positions, tally.towns);
}

// A plain ray test over every ring of the municipalities, apart from the geocoder's grid.
struct RingBox {
    std::uint32_t ring;
    double west, south, east, north;
};

std::optional<std::uint32_t> HoldingMunicipality(const JapanMunicipalities& japan,
                                                 const std::vector<RingBox>& boxes, double x,
                                                 double y) {
    std::vector<std::uint32_t> odd;
    for (const RingBox& box : boxes) {
        if (x < box.west || x > box.east || y < box.south || y > box.north) {
            continue;
        }
        const StateRing& ring = japan.rings[box.ring];
        bool inside = false;
        for (std::uint32_t k = ring.begin; k + 1 < ring.end; ++k) {
            const GridPoint a = japan.points[k];
            const GridPoint b = japan.points[k + 1];
            if ((a.latitude > y) != (b.latitude > y) &&
                x < a.longitude + (y - a.latitude) * (b.longitude - a.longitude) /
                                      static_cast<double>(b.latitude - a.latitude)) {
                inside = !inside;
            }
        }
        if (inside) {
            const auto found = std::find(odd.begin(), odd.end(), ring.state);
            found == odd.end() ? odd.push_back(ring.state) : void(odd.erase(found));
        }
    }
    return odd.empty() ? std::nullopt : std::optional(*std::min_element(odd.begin(), odd.end()));
}

Truth MunicipalityTruth(const JapanMunicipalities& japan, std::uint32_t index, std::string town) {
    const JapanMunicipality& municipality = japan.municipalities[index];
    const std::string& prefecture = japan.prefectures[municipality.prefecture];
    return municipality.city.empty()
               ? Truth{prefecture, municipality.name, "", std::move(town)}
               : Truth{prefecture, municipality.city, municipality.name, std::move(town)};
}

Tally TownPointRates(const JapanMunicipalities& japan) {
    std::vector<RingBox> boxes;
    for (std::uint32_t r = 0; r < japan.rings.size(); ++r) {
        RingBox box{r, INFINITY, INFINITY, -INFINITY, -INFINITY};
        for (std::uint32_t k = japan.rings[r].begin; k < japan.rings[r].end; ++k) {
            box.west = std::min<double>(box.west, japan.points[k].longitude);
            box.east = std::max<double>(box.east, japan.points[k].longitude);
            box.south = std::min<double>(box.south, japan.points[k].latitude);
            box.north = std::max<double>(box.north, japan.points[k].latitude);
        }
        boxes.push_back(box);
    }
    // Which municipality each town belongs to.
    std::vector<std::uint32_t> owner(japan.towns.size());
    for (std::uint32_t m = 0; m < japan.municipalities.size(); ++m) {
        for (std::uint32_t t = japan.municipalities[m].townBegin;
             t < japan.municipalities[m].townEnd; ++t) {
            owner[t] = m;
        }
    }
    std::mt19937 random(kTownSeed);
    std::uniform_int_distribution<std::size_t> pick(0, japan.towns.size() - 1);
    std::uniform_real_distribution<double> direction(0.0, 2.0 * std::numbers::pi);
    Tally tally;
    for (int i = 0; i < kTownPoints; ++i) {
        const std::size_t t = pick(random);
        const JapanTown& town = japan.towns[t];
        const double angle = direction(random);
        const double latitude = town.point.latitude / kGridUnitsPerDegree +
                                kMoveMetres * std::sin(angle) / kMetresPerDegree;
        const double longitude =
            town.point.longitude / kGridUnitsPerDegree +
            kMoveMetres * std::cos(angle) /
                (kMetresPerDegree * std::cos(latitude * std::numbers::pi / 180.0));
        // Moved into the sea, the point keeps its town's municipality; moved across a border, its
        // town is not known.
        const std::uint32_t municipality =
            HoldingMunicipality(japan, boxes, longitude * kGridUnitsPerDegree,
                                latitude * kGridUnitsPerDegree)
                .value_or(owner[t]);
        Score(Geocode(latitude, longitude),
              MunicipalityTruth(japan, municipality,
                                municipality == owner[t] ? japan.townNames[town.name] : ""),
              tally);
    }
    return tally;
}

} // namespace

void PrintGeocodeHitRates() {
    Tally named;
    for (const KnownPlace& place : kKnownPlaces) {
        const Names names = Geocode(place.latitude, place.longitude);
        const Truth truth{place.prefecture, place.municipality, place.ward ? place.ward : "",
                          place.town ? place.town : ""};
        if (!Score(names, truth, named)) {
            std::printf("  %s: %s\n", place.name, Joined(names).c_str());
        }
    }
    PrintTally("named positions", named);
    const JapanMunicipalities* japan = builtinData().japan();
    if (japan != nullptr && !japan->towns.empty()) {
        PrintTally("town points moved 100 m", TownPointRates(*japan));
    }
}
