#include "tests/cli_runner.h"
#include "tests/exif_builder.h"
#include "tests/loopback_server.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <mutex>
#include <set>

namespace {

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

constexpr char kGion[] = R"({"place_id": 1, "category": "place", "type": "suburb",
  "addresstype": "suburb", "name": "祇園町", "display_name": "祇園町, 東山区, 京都市, 京都府, 日本",
  "address": {"suburb": "祇園町", "city_district": "東山区", "city": "京都市",
              "province": "京都府", "ISO3166-2-lvl4": "JP-26", "country": "日本",
              "country_code": "jp"}})";

} // namespace

// A Nominatim server is asked once a spot, at most once a second; a second import of the same
// places asks nothing.
TEST(CliGeocode, asksANominatimServerOnceASpotAndNotAtAllTheSecondTime) {
    TempDir card;
    TempDir home;
    const Rationals spots[][2] = {
        {{{35, 1}, {0, 1}, {1296, 100}}, {{135, 1}, {46, 1}, {516, 100}}},
        {{{35, 1}, {1, 1}, {0, 1}}, {{135, 1}, {46, 1}, {0, 1}}},
        {{{35, 1}, {2, 1}, {0, 1}}, {{135, 1}, {45, 1}, {0, 1}}},
    };
    for (int i = 0; i < 100; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "DCIM/100CAMERA/DSC%05d.JPG", i);
        const auto& spot = spots[i % 3];
        WriteFile(card.path() + name, ExifPhoto("2010:08:15 09:05:30", spot[0], spot[1]));
    }
    std::mutex mutex;
    std::multiset<std::string> asked;
    LoopbackServer server([&](const httplib::Request& request, httplib::Response& response) {
        const std::lock_guard lock(mutex);
        asked.insert(request.target);
        response.set_content(kGion, "application/json");
    });
    ASSERT_TRUE(server.running());
    const std::string environment = "XDG_CACHE_HOME=" + Quoted(home.path() + "cache");
    const std::string arguments = "--settings " + Quoted(home.path() + "tessaroInit.Ini") +
                                  " --geocode-url " + Quoted("nominatim:" + server.url()) +
                                  " --set 3_2_Place=3 plan " + Quoted(card.path());

    const CliRun first = Cli(arguments, environment);
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(Count(first.out, "09時05分祇園町"), 100u) << first.out;
    EXPECT_NE(first.out.find("08月15日京都府"), std::string::npos) << first.out;
    {
        const std::lock_guard lock(mutex);
        EXPECT_EQ(asked.size(), 3u);
        EXPECT_EQ(std::set<std::string>(asked.begin(), asked.end()).size(), 3u);
    }

    const CliRun second = Cli(arguments, environment);
    EXPECT_EQ(second.out, first.out);
    const std::lock_guard lock(mutex);
    EXPECT_EQ(asked.size(), 3u) << "the second run asked again";
}

// The start-up probe's counterpart in a batch: without its data the built-in geocoder is not
// asked photo after photo in silence.
TEST(CliGeocode, saysOnceThatTheBuiltInGeocoderCannotLoadItsData) {
    TempDir card;
    TempDir home;
    for (const char* name : {"DSC00001.JPG", "DSC00002.JPG", "DSC00003.JPG"}) {
        WriteFile(card.path() + name, ExifPhoto("2010:08:15 09:05:30", {{35, 1}, {0, 1}, {0, 1}},
                                                {{135, 1}, {46, 1}, {0, 1}}));
    }
    const CliRun run = Cli("--settings " + Quoted(home.path() + "tessaroInit.Ini") + " plan " +
                               Quoted(card.path()),
                           "TESSARO_DATA_DIR=" + Quoted(home.path()));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "tessaro-cli: the built-in geocoder cannot load its data; no places are "
                       "looked up\n");
    EXPECT_EQ(run.out, "2010(平成22)年\n  08月15日\n    09時05分-1.JPG\n    09時05分-2.JPG\n"
                       "    09時05分-3.JPG\n");
}
