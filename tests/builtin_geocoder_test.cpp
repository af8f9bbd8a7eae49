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

TEST(BuiltinGeocoder, namesAJapanesePlaceWithItsPrefectureAndCountryInJapanese) {
    EXPECT_EQ(Geocode(35.0036, 135.7681), std::pair(kGeocodeOk, Names{"日本", "京都府", "京都市"}));
    EXPECT_EQ(Geocode(35.169621, 136.883957),
              std::pair(kGeocodeOk, Names{"日本", "愛知県", "名古屋市"}));
    // What the caller held stays behind the new names.
    EXPECT_EQ(Geocode(35.0036, 135.7681, {"earlier"}),
              std::pair(kGeocodeOk, Names{"日本", "京都府", "京都市", "earlier"}));
}

// The nearest place of 15,000 people used to decide the prefecture, so every border erred.
TEST(BuiltinGeocoder, takesThePrefectureFromThePolygonThatHoldsThePosition) {
    const struct {
        double latitude;
        double longitude;
        Names names;
    } cases[] = {
        {35.7775, 139.7210, {"日本", "東京都"}},             // Akabane, not 埼玉県 / 川口
        {35.5494, 139.7798, {"日本", "東京都"}},             // Haneda airport, not 川崎市
        {33.9460, 130.9620, {"日本", "福岡県", "北九州市"}}, // Mojikō, not 下関市
        {36.2050, 133.3200, {"日本", "島根県"}},             // the Oki islands, not 鳥取県
        {35.7148, 139.7967, {"日本", "東京都"}},             // Asakusa, not 浦安市 of Chiba
        {35.7101, 139.8107, {"日本", "東京都"}},             // the Skytree
        {34.2960, 132.3190, {"日本", "広島県", "大野原"}},   // Miyajima
        {28.3775, 129.4937, {"日本", "鹿児島県", "名瀬市"}}, // Amami-Ōshima, not 沖縄県
        {26.2150, 127.6850, {"日本", "沖縄県", "那覇市"}},   // Naha
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Geocode(c.latitude, c.longitude), std::pair(kGeocodeOk, c.names))
            << c.latitude << "," << c.longitude;
    }
}

TEST(BuiltinGeocoder, namesAnIslandInsideItsPolygonOrNextToIt) {
    EXPECT_EQ(Geocode(33.1100, 139.7900), std::pair(kGeocodeOk, Names{"日本", "東京都"}));
    // Enoshima lies outside every polygon at this scale, some 500 m off the shore.
    EXPECT_EQ(Geocode(35.2990, 139.4800),
              std::pair(kGeocodeOk, Names{"日本", "神奈川県", "藤沢市"}));
}

TEST(BuiltinGeocoder, namesStatesAndPlacesAbroadInJapaneseWhereTheDataHasTheirNames) {
    EXPECT_EQ(
        Geocode(-33.8688, 151.2093),
        std::pair(kGeocodeOk, Names{"オーストラリア", "ニューサウスウェールズ州", "シドニー"}));
    EXPECT_EQ(Geocode(40.7580, -73.9855),
              std::pair(kGeocodeOk, Names{"アメリカ", "ニューヨーク州", "Manhattan"}));
    // Labasa lies some 70 km away, across the 180th meridian.
    EXPECT_EQ(Geocode(-16.43, -179.95), std::pair(kGeocodeOk, Names{"フィジー", "北部地域"}));
}

TEST(BuiltinGeocoder, givesACityItsSuffixWhereGeoNamesLeavesItOut) {
    EXPECT_EQ(Geocode(38.2601, 140.8825), std::pair(kGeocodeOk, Names{"日本", "宮城県", "仙台市"}));
    EXPECT_EQ(Geocode(33.8456, 132.7656), std::pair(kGeocodeOk, Names{"日本", "愛媛県", "松山市"}));
    EXPECT_EQ(Geocode(43.70, 142.40), std::pair(kGeocodeOk, Names{"日本", "北海道", "旭川市"}));
    // A town keeps its own suffix; a place of fewer people than a city's keeps its bare name.
    EXPECT_EQ(Geocode(35.3110, 139.3190), std::pair(kGeocodeOk, Names{"日本", "神奈川県", "大磯"}));
}

// Across the borders of Kantō, and of Yamaguchi and Fukuoka at the Kanmon strait, a town is
// always named with the prefecture that holds it: each with one prefecture only.
TEST(BuiltinGeocoder, neverNamesATownWithAnotherPrefecture) {
    std::map<std::string, std::set<std::string>> prefectures;
    const auto survey = [&](double south, double west, double north, double east) {
        for (double latitude = south; latitude < north; latitude += 0.02) {
            for (double longitude = west; longitude < east; longitude += 0.02) {
                const auto [result, names] = Geocode(latitude, longitude);
                if (result == kGeocodeOk && names.size() == 3) {
                    prefectures[names[2]].insert(names[1]);
                }
            }
        }
    };
    survey(35.2, 139.0, 36.4, 140.4);
    survey(33.7, 130.6, 34.2, 131.2);
    ASSERT_GT(prefectures.size(), 50u);
    for (const auto& [town, holders] : prefectures) {
        EXPECT_EQ(holders.size(), 1u)
            << town << " named with " << *holders.begin() << " and " << *holders.rbegin();
    }
    EXPECT_EQ(prefectures["川口市"], std::set<std::string>{"埼玉県"});
}

TEST(BuiltinGeocoder, leavesOutAPlaceNamedLikeItsPrefecture) {
    EXPECT_EQ(Geocode(35.6900, 139.6920), std::pair(kGeocodeOk, Names{"日本", "東京都"}));
}

TEST(BuiltinGeocoder, namesAPlaceOnlyWithinTheLimitAndOtherwiseOnlyItsPrefecture) {
    // Asahikawa lies some 22 km from this farmland, its next neighbours farther still.
    EXPECT_EQ(Geocode(43.588, 142.466), std::pair(kGeocodeOk, Names{"日本", "北海道"}));
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
    EXPECT_EQ(geocoded, std::pair(kGeocodeOk, Names{"日本", "京都府", "京都市"}));
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
        EXPECT_EQ(answer, std::pair(kGeocodeOk, Names{"日本", "京都府", "京都市"}));
    }
}

TEST(BuiltinGeocoder, answersInTheServicesShapeAndTakesAKeyOrATrailingSlash) {
    const std::string answer =
        fetchText("builtin:/maps/api/geocode/xml?latlng=35.003600,135.768100&sensor=false");
    EXPECT_NE(answer.find("<status>OK</status>"), std::string::npos) << answer;
    EXPECT_NE(answer.find("<long_name>京都市</long_name>"), std::string::npos) << answer;
    EXPECT_LT(answer.find("京都市"), answer.find("京都府")) << "finest first";

    GeocodingService service;
    service.baseUrl = "builtin:/";
    service.apiKey = "a key&more";
    Names names;
    EXPECT_EQ(reverseGeocode(service, 35.0036, 135.7681, names), kGeocodeOk);
    EXPECT_EQ(names, (Names{"日本", "京都府", "京都市"}));
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
    for (const std::string& folder : {dir.path() + "empty", dir.path() + "broken"}) {
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
