#include "map/static_map_url.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

const std::string kRequest = "https://maps.googleapis.com/maps/api/staticmap?center=";

std::string Expected(const std::string& position) {
    return kRequest + position +
           "&zoom=12&size=400x400&sensor=false&markers=color:green%7Clabel:A%7C" + position;
}

} // namespace

TEST(StaticMapUrl, centresTheMapAndTheMarkerOnThePositionToSixDecimals) {
    const StaticMapService service;
    EXPECT_EQ(staticMapUrl(service, 35.1696223, 136.8839585), Expected("35.169622,136.883959"));
    // South and west are negative; the equator and the prime meridian are positions like any.
    EXPECT_EQ(staticMapUrl(service, -33.8688197, -151.2093), Expected("-33.868820,-151.209300"));
    EXPECT_EQ(staticMapUrl(service, 0.0, 10.5), Expected("0.000000,10.500000"));
    EXPECT_EQ(staticMapUrl(service, 51.4779, 0.0), Expected("51.477900,0.000000"));
}

TEST(StaticMapUrl, keepsItsPointUnderALocaleWithADecimalComma) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "no de_DE.UTF-8 locale (scripts/install-deps.sh generates it)";
    }
    const std::string url = staticMapUrl(StaticMapService{}, 35.5, -0.25);
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(url, Expected("35.500000,-0.250000"));
}

TEST(StaticMapUrl, takesTheServiceAndAnEncodedKeyFromTheSettingsFile) {
    TempDir dir;
    const std::string settings = dir.path() + "tessaroInit.Ini";
    EXPECT_EQ(loadStaticMapService(settings).baseUrl, kDefaultStaticMapUrl) << "no file";
    WriteFile(settings, "[Service]\nStaticMapURL=\nApiKey=\n");
    EXPECT_EQ(loadStaticMapService(settings).baseUrl, kDefaultStaticMapUrl) << "empty value";

    WriteFile(settings, "[Service]\nGeocodeURL=builtin:\nStaticMapURL=http://127.0.0.1:8080/\n"
                        "ApiKey=a b&c\n");
    const StaticMapService service = loadStaticMapService(settings);
    EXPECT_EQ(staticMapUrl(service, 1, 2),
              "http://127.0.0.1:8080/maps/api/staticmap?center=1.000000,2.000000&zoom=12"
              "&size=400x400&sensor=false&markers=color:green%7Clabel:A%7C1.000000,2.000000"
              "&key=a%20b%26c");
}

TEST(StaticMapUrl, neverAsksTheDefaultServiceWithoutAKey) {
    EXPECT_FALSE(staticMapServiceMayAnswer(StaticMapService{}));
    EXPECT_FALSE(staticMapServiceMayAnswer(StaticMapService{"HTTPS://Maps.GoogleApis.com/", ""}));
    EXPECT_TRUE(staticMapServiceMayAnswer(StaticMapService{kDefaultStaticMapUrl, "k1"}));
    // One's own service may need no key.
    EXPECT_TRUE(staticMapServiceMayAnswer(StaticMapService{"http://127.0.0.1:8080", ""}));
    EXPECT_TRUE(staticMapServiceMayAnswer(StaticMapService{"https://maps.example.org/x", ""}));
}
