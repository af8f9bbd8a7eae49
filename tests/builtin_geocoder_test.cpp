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
#include <limits>
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

TEST(BuiltinGeocoder, leavesOutAPlaceNamedLikeItsPrefecture) {
    EXPECT_EQ(Geocode(35.6900, 139.6920), std::pair(kGeocodeOk, Names{"日本", "東京都"}));
}

TEST(BuiltinGeocoder, namesAPlaceOnlyWithinTheLimitAndOtherwiseOnlyItsPrefecture) {
    // Asahikawa lies some 22 km from this farmland, its next neighbours farther still.
    EXPECT_EQ(Geocode(43.588, 142.466), std::pair(kGeocodeOk, Names{"日本", "北海道"}));
    EXPECT_EQ(Geocode(43.70, 142.40), std::pair(kGeocodeOk, Names{"日本", "北海道", "旭川"}));
}

TEST(BuiltinGeocoder, findsNothingOnTheOpenSeaAndLeavesTheListAlone) {
    EXPECT_EQ(Geocode(30.0, 160.0, {"earlier"}), std::pair(kGeocodeFailed, Names{"earlier"}));
    EXPECT_EQ(Geocode(-48.0, -123.0), std::pair(kGeocodeFailed, Names{}));
}

TEST(BuiltinGeocoder, namesAForeignPlaceInJapaneseWhereTheCatalogueHasItsName) {
    // The catalogue names Sydney and Australia, not New South Wales.
    EXPECT_EQ(Geocode(-33.8688, 151.2093),
              std::pair(kGeocodeOk, Names{"オーストラリア", "New South Wales", "シドニー"}));
    // Labasa lies some 70 km away, across the 180th meridian.
    EXPECT_EQ(Geocode(-16.43, -179.95), std::pair(kGeocodeOk, Names{"フィジー", "Northern"}));
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
