#include "geocode/builtin_geocoder.h"
#include "geocode/fetch_text.h"
#include "geocode/geocode_answer.h"
#include "geocode/geocode_request.h"
#include "geocode/geocoding_service.h"
#include "geocode/probe_geocoding_service.h"
#include "geocode/reverse_geocode.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

using Names = std::vector<std::string>;

// Near 四条河原町, where the probe asks too.
const Names kKawaramachi = {"日本", "京都府", "京都市", "下京区", "御旅町"};

// What the default service, the embedded geocoder, gives for a position.
std::pair<int, Names> Geocode(double latitude, double longitude, Names list = {}) {
    const GeocodingService service;
    const int result = reverseGeocode(service, latitude, longitude, list);
    return {result, list};
}

} // namespace

TEST(BuiltinGeocoder, isTheDefaultEndpointAndAnyOtherUrlIsAWebOne) {
    EXPECT_EQ(GeocodingService().baseUrl, "builtin:");
    EXPECT_TRUE(isBuiltinGeocodeUrl("builtin:"));
    EXPECT_TRUE(isBuiltinGeocodeUrl("builtin:/maps/api/geocode/xml?latlng=1,2"));
    EXPECT_FALSE(isBuiltinGeocodeUrl("https://maps.googleapis.com"));
    EXPECT_FALSE(isBuiltinGeocodeUrl("http://builtin:8080"));
}

TEST(BuiltinGeocoder, namesAJapanesePlaceAtEveryLevelFinestLast) {
    EXPECT_EQ(Geocode(35.0036, 135.7681), std::pair(kGeocodeOk, kKawaramachi));
    // What the caller held stays behind the new names.
    Names held = kKawaramachi;
    held.push_back("earlier");
    EXPECT_EQ(Geocode(35.0036, 135.7681, {"earlier"}), std::pair(kGeocodeOk, held));
}

namespace {

struct KnownPlace {
    double latitude;
    double longitude;
    Names names;
};

void ExpectNames(const std::vector<KnownPlace>& places) {
    for (const KnownPlace& place : places) {
        EXPECT_EQ(Geocode(place.latitude, place.longitude), std::pair(kGeocodeOk, place.names))
            << place.latitude << "," << place.longitude;
    }
}

} // namespace

// The municipality used to be the nearest GeoNames place: the wards had none, and a town hall
// was often filed under its neighbour.
TEST(BuiltinGeocoder, namesEachOfTokyosWardsAsTheMunicipalityWithItsTown) {
    ExpectNames({
        {35.6940, 139.7536, {"日本", "東京都", "千代田区", "九段南一丁目"}}, // ward office
        {35.6665, 139.7720, {"日本", "東京都", "中央区", "築地三丁目"}},     // Tsukiji Hongan-ji
        {35.6581, 139.7516, {"日本", "東京都", "港区", "芝公園一丁目"}},
        {35.6938, 139.7036, {"日本", "東京都", "新宿区", "歌舞伎町一丁目"}},
        {35.7081, 139.7522, {"日本", "東京都", "文京区", "春日一丁目"}},
        {35.7126, 139.7800, {"日本", "東京都", "台東区", "東上野四丁目"}},
        {35.7107, 139.8016, {"日本", "東京都", "墨田区", "吾妻橋一丁目"}},
        {35.6730, 139.8171, {"日本", "東京都", "江東区", "東陽四丁目"}},
        {35.6065, 139.7345, {"日本", "東京都", "品川区", "大井一丁目"}}, // Ōimachi station
        {35.6414, 139.6982, {"日本", "東京都", "目黒区", "上目黒二丁目"}},
        {35.5614, 139.7161, {"日本", "東京都", "大田区", "蒲田五丁目"}},
        {35.6466, 139.6532, {"日本", "東京都", "世田谷区", "世田谷四丁目"}},
        {35.6764, 139.6993, {"日本", "東京都", "渋谷区", "代々木神園町"}}, // Meiji Jingū
        {35.7074, 139.6637, {"日本", "東京都", "中野区", "中野四丁目"}},
        {35.7010, 139.6370, {"日本", "東京都", "杉並区", "阿佐谷南一丁目"}},
        {35.7262, 139.7163, {"日本", "東京都", "豊島区", "南池袋二丁目"}},
        {35.7528, 139.7336, {"日本", "東京都", "北区", "王子本町一丁目"}},
        {35.7362, 139.7834, {"日本", "東京都", "荒川区", "荒川二丁目"}},
        {35.7512, 139.7094, {"日本", "東京都", "板橋区", "板橋二丁目"}},
        {35.7356, 139.6517, {"日本", "東京都", "練馬区", "豊玉北六丁目"}},
        {35.7750, 139.8044, {"日本", "東京都", "足立区", "中央本町一丁目"}},
        {35.7434, 139.8472, {"日本", "東京都", "葛飾区", "立石五丁目"}},
        {35.7068, 139.8683, {"日本", "東京都", "江戸川区", "中央一丁目"}},
    });
}

// A designated city is the municipality and its ward the district: never the ward alone.
TEST(BuiltinGeocoder, namesADesignatedCityThenItsWardThenTheTown) {
    ExpectNames({
        {35.0394, 135.7292, {"日本", "京都府", "京都市", "北区", "金閣寺町"}},
        {35.0254, 135.7621, {"日本", "京都府", "京都市", "上京区", "京都御苑"}},
        {35.0270, 135.7982, {"日本", "京都府", "京都市", "左京区", "銀閣寺町"}},
        {35.0142, 135.7481, {"日本", "京都府", "京都市", "中京区", "二条城町"}},
        {34.9949, 135.7850, {"日本", "京都府", "京都市", "東山区", "清水一丁目"}},
        {34.9617, 135.8069, {"日本", "京都府", "京都市", "山科区", "勧修寺仁王堂町"}},
        {34.9875, 135.7593, {"日本", "京都府", "京都市", "下京区", "東塩小路町"}}, // the tower
        {34.9806, 135.7478, {"日本", "京都府", "京都市", "南区", "九条町"}},       // Tō-ji
        {35.0345, 135.7182, {"日本", "京都府", "京都市", "右京区", "龍安寺御陵ノ下町"}},
        {34.9840, 135.7095, {"日本", "京都府", "京都市", "西京区", "桂御園"}},
        {34.9671, 135.7727, {"日本", "京都府", "京都市", "伏見区", "深草藪之内町"}},
        // Sakai's city hall, which GeoNames filed under 松原市.
        {34.5733, 135.4830, {"日本", "大阪府", "堺市", "堺区", "南瓦町"}},
    });
}

TEST(BuiltinGeocoder, namesACountyTownWithoutItsCountyAndIslandsWithTheirOwnMunicipality) {
    ExpectNames({
        {43.5884, 142.4672, {"日本", "北海道", "美瑛町", "本町四丁目"}}, // not 上川郡
        {38.0182, 138.3681, {"日本", "新潟県", "佐渡市", "新穂皆川"}},
        {34.2030, 129.2875, {"日本", "長崎県", "対馬市", "厳原町国分"}},
        {27.0944, 142.1917, {"日本", "東京都", "小笠原村", "父島"}},   // Chichi-jima
        {24.0600, 123.7800, {"日本", "沖縄県", "竹富町", "字波照間"}}, // Hateruma
    });
}

// Yuigahama, 500 m out from Kamakura's simplified coast, and Enoshima, which the simplified
// polygons leave out; farther out at sea, the prefecture of the coast within 5 km.
TEST(BuiltinGeocoder, takesTheNearestMunicipalityWithin2KmOfItsCoast) {
    ExpectNames({
        {35.30396, 139.54107, {"日本", "神奈川県", "鎌倉市", "由比ガ浜四丁目"}},
        {35.2990, 139.4800, {"日本", "神奈川県", "藤沢市", "江の島一丁目"}},
    });
    const auto [result, names] = Geocode(35.2750, 139.5410); // 4 km off Yuigahama
    EXPECT_EQ(result, kGeocodeOk);
    EXPECT_EQ(names, (Names{"日本", "神奈川県"}));
}

// Pairs 300 m apart on either side of a border: each is named on its own side.
TEST(BuiltinGeocoder, namesEachSideOfAMunicipalBorderForItself) {
    ExpectNames({
        {35.68309, 139.69242, {"日本", "東京都", "渋谷区", "代々木三丁目"}},
        {35.68515, 139.69028, {"日本", "東京都", "新宿区", "西新宿三丁目"}},
        {35.00255, 135.75980, {"日本", "京都府", "京都市", "下京区", "竹屋之町"}},
        {35.00525, 135.75977, {"日本", "京都府", "京都市", "中京区", "手洗水町"}},
        {34.58942, 135.49771, {"日本", "大阪府", "堺市", "堺区", "香ヶ丘町五丁"}},
        {34.59105, 135.50032, {"日本", "大阪府", "大阪市", "住吉区", "山之内四丁目"}},
        {43.66205, 142.41495, {"日本", "北海道", "美瑛町", "字旭"}},
        {43.66471, 142.41555, {"日本", "北海道", "旭川市", "西神楽二線"}},
        {34.70313, 135.63522, {"日本", "大阪府", "大東市", "平野屋二丁目"}},
        {34.70044, 135.63540, {"日本", "大阪府", "東大阪市", "元町二丁目"}},
    });
}

// Across the borders of Kantō, and of Yamaguchi and Fukuoka at the Kanmon strait, a
// municipality is always named with the prefecture that holds it, and never in romaji.
TEST(BuiltinGeocoder, neverNamesAMunicipalityWithAnotherPrefectureNorInRomaji) {
    std::map<std::string, std::set<std::string>> prefectures;
    const auto survey = [&](double south, double west, double north, double east) {
        for (double latitude = south; latitude < north; latitude += 0.02) {
            for (double longitude = west; longitude < east; longitude += 0.02) {
                const auto [result, names] = Geocode(latitude, longitude);
                if (result == kGeocodeOk && names.size() >= 3) {
                    prefectures[names[2]].insert(names[1]);
                }
                for (const std::string& name : names) {
                    EXPECT_EQ(name.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string::npos)
                        << name;
                }
            }
        }
    };
    survey(35.2, 139.0, 36.4, 140.4);
    survey(33.7, 130.6, 34.2, 131.2);
    ASSERT_GT(prefectures.size(), 150u);
    for (const auto& [municipality, holders] : prefectures) {
        // 府中市 and a few other names are each a municipality of two prefectures.
        if (municipality == "府中市" || municipality == "北区" || municipality == "南区" ||
            municipality == "中央区" || municipality == "緑区" || municipality == "西区") {
            continue;
        }
        EXPECT_EQ(holders.size(), 1u)
            << municipality << " named with " << *holders.begin() << " and " << *holders.rbegin();
    }
    EXPECT_EQ(prefectures["川口市"], std::set<std::string>{"埼玉県"});
}

TEST(BuiltinGeocoder, namesStatesAndPlacesAbroadInJapaneseWhereTheDataHasTheirNames) {
    EXPECT_EQ(
        Geocode(-33.8688, 151.2093),
        std::pair(kGeocodeOk, Names{"オーストラリア", "ニューサウスウェールズ州", "シドニー"}));
    EXPECT_EQ(Geocode(40.7580, -73.9855),
              std::pair(kGeocodeOk, Names{"アメリカ", "ニューヨーク州", "Manhattan"}));
    // Paris is its own state: the place is not named twice.
    EXPECT_EQ(Geocode(48.8566, 2.3522), std::pair(kGeocodeOk, Names{"フランス共和国", "パリ"}));
    // Labasa lies some 70 km away, across the 180th meridian.
    EXPECT_EQ(Geocode(-16.43, -179.95), std::pair(kGeocodeOk, Names{"フィジー", "北部地域"}));
    // The outback, farther than the limit from any place.
    EXPECT_EQ(Geocode(-25.0, 131.0),
              std::pair(kGeocodeOk, Names{"オーストラリア", "ノーザンテリトリー"}));
}

TEST(BuiltinGeocoder, findsNothingOnTheOpenSeaAndLeavesTheListAlone) {
    EXPECT_EQ(Geocode(30.0, 160.0, {"earlier"}), std::pair(kGeocodeFailed, Names{"earlier"}));
    EXPECT_EQ(Geocode(-48.0, -123.0), std::pair(kGeocodeFailed, Names{}));
}

namespace {

// Kyoto geocoded with the process in `locale` (ctest runs each test in a process of its own, so
// the place index is built under it), which must still be in force afterwards.
void ExpectJapaneseUnder(const char* locale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const char* chosen = std::setlocale(LC_ALL, locale);
    ASSERT_NE(chosen, nullptr) << locale;
    const std::string inForce = chosen;
    const auto geocoded = Geocode(35.0036, 135.7681);
    EXPECT_EQ(std::setlocale(LC_ALL, nullptr), inForce);
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(geocoded, std::pair(kGeocodeOk, kKawaramachi));
}

} // namespace

// As the desktop program does at start-up; ctest sets LC_ALL=C for these tests.
TEST(BuiltinGeocoder, namesInJapaneseInTheLocaleOfTheEnvironment) {
    ExpectJapaneseUnder("");
}

TEST(BuiltinGeocoder, namesInJapaneseUnderALocaleWithACatalogueOfItsOwn) {
    // The library's German catalogue is what its own getters would pick here.
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const bool installed = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    std::setlocale(LC_ALL, previous.c_str());
    if (!installed) {
        GTEST_SKIP() << "no de_DE.UTF-8 locale (scripts/install-deps.sh generates it)";
    }
    ExpectJapaneseUnder("de_DE.UTF-8");
}

TEST(BuiltinGeocoder, buildsItsIndexOnceWhenManyThreadsAskFirstAtOnce) {
    constexpr int kThreads = 4;
    std::vector<std::pair<int, Names>> answers(kThreads);
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back([&answers, i] { answers[i] = Geocode(35.0036, 135.7681); });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const auto& answer : answers) {
        EXPECT_EQ(answer, std::pair(kGeocodeOk, kKawaramachi));
    }
}

TEST(BuiltinGeocoder, answersInTheServicesShapeAndTakesAKeyOrATrailingSlash) {
    const std::string answer =
        fetchText("builtin:/maps/api/geocode/xml?latlng=35.003600,135.768100&sensor=false");
    EXPECT_NE(answer.find("<status>OK</status>"), std::string::npos) << answer;
    EXPECT_NE(answer.find("<long_name>京都市</long_name>"), std::string::npos) << answer;
    EXPECT_LT(answer.find("御旅町"), answer.find("下京区")) << "finest first";
    EXPECT_LT(answer.find("下京区"), answer.find("京都市"));
    EXPECT_LT(answer.find("京都市"), answer.find("京都府"));

    GeocodingService service;
    service.baseUrl = "builtin:/";
    service.apiKey = "a key&more";
    Names names;
    EXPECT_EQ(reverseGeocode(service, 35.0036, 135.7681, names), kGeocodeOk);
    EXPECT_EQ(names, kKawaramachi);
}

TEST(BuiltinGeocoder, refusesARequestWithoutAPositionOnTheEarth) {
    for (const char* url :
         {"builtin:", "builtin:/maps/api/geocode/xml?sensor=false", "builtin:?latlng=35.0",
          "builtin:?latlng=35.0,", "builtin:?latlng=35.0,135.7x", "builtin:?latlng=+35.0,135.7",
          "builtin:?latlng=91.0,135.7", "builtin:?latlng=35.0,180.5", "builtin:?latlng=nan,135.7",
          "builtin:?xlatlng=35.0,135.7"}) {
        EXPECT_NE(fetchText(url).find("<status>INVALID_REQUEST</status>"), std::string::npos)
            << url;
    }
    EXPECT_NE(fetchText("builtin:?sensor=false&latlng=35.0036,135.7681").find("京都市"),
              std::string::npos);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const auto& [latitude, longitude] :
         {std::pair(nan, 135.0), std::pair(35.0, std::numeric_limits<double>::infinity()),
          std::pair(-90.5, 0.5), std::pair(1e300, 1.0)}) {
        EXPECT_EQ(Geocode(latitude, longitude, {"earlier"}),
                  std::pair(kGeocodeFailed, Names{"earlier"}))
            << latitude << "," << longitude;
    }
}

TEST(BuiltinGeocoder, answersTheProbeAndIsChosenWhenTheSettingsNameNoEndpoint) {
    EXPECT_EQ(probeGeocodingService(GeocodingService()), kGeocodeOk);

    TempDir dir;
    const std::string path = dir.path() + "tessaroInit.Ini";
    WriteFile(path, "[Service]\nApiKey=abc\n");
    const GeocodingService service = loadGeocodingService(path);
    EXPECT_TRUE(isBuiltinGeocodeUrl(service.baseUrl));
    EXPECT_EQ(probeGeocodingService(service), kGeocodeOk);
}

// The probe used to answer OK without looking, and every photo then got no place in silence.
// Each case runs in a process of its own, whose geocoder has not loaded anything yet.
TEST(BuiltinGeocoderWithoutData, failsTheProbeAndEveryRequestAsUnavailable) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TempDir dir;
    WriteFile(dir.path() + "broken/admin1.bin", "TSADMIN1 cut short");
    // The states without Japan's municipalities would name Japan's places in romaji.
    WriteFile(dir.path() + "states-only/admin1.bin",
              ReadFile(TestDataDir() + "/../../geocode/data/admin1.bin"));
    for (const std::string& folder :
         {dir.path() + "empty", dir.path() + "broken", dir.path() + "states-only"}) {
        EXPECT_EXIT(
            {
                setenv("TESSARO_DATA_DIR", folder.c_str(), 1);
                Names names = {"earlier"};
                const bool unavailable =
                    probeGeocodingService(GeocodingService()) == kGeocodeUnavailable &&
                    reverseGeocode(GeocodingService(), 35.0, 135.7, names) == kGeocodeUnavailable &&
                    names == Names{"earlier"};
                std::exit(unavailable ? 0 : 1);
            },
            testing::ExitedWithCode(0), "")
            << folder;
    }
}
