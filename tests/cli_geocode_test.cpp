#include "tests/cli_runner.h"
#include "tests/exif_builder.h"
#include "tests/loopback_server.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <mutex>
#include <set>
#include <sys/wait.h>

namespace {

struct CliOutput {
    int status = -1;
    std::string out;
    std::string err;
};

// tessaro-cli with `environment` ("NAME=value ...") before it and both outputs kept.
CliOutput CliIn(const std::string& environment, const std::string& arguments) {
    TempDir errors;
    const std::string errorFile = errors.path() + "err";
    CliOutput run;
    FILE* pipe = popen(
        (environment + " " + TESSARO_CLI + " " + arguments + " 2>" + Quoted(errorFile)).c_str(),
        "r");
    if (pipe == nullptr) {
        ADD_FAILURE() << "popen failed";
        return run;
    }
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        run.out.append(buffer, got);
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadFile(errorFile);
    return run;
}

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

    const CliOutput first = CliIn(environment, arguments);
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(Count(first.out, "09時05分祇園町"), 100u) << first.out;
    EXPECT_NE(first.out.find("08月15日京都府"), std::string::npos) << first.out;
    {
        const std::lock_guard lock(mutex);
        EXPECT_EQ(asked.size(), 3u);
        EXPECT_EQ(std::set<std::string>(asked.begin(), asked.end()).size(), 3u);
    }

    const CliOutput second = CliIn(environment, arguments);
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
    const CliOutput run = CliIn("XDG_CACHE_HOME=" + Quoted(home.path() + "cache") +
                                    " TESSARO_DATA_DIR=" + Quoted(home.path()),
                                "--settings " + Quoted(home.path() + "tessaroInit.Ini") + " plan " +
                                    Quoted(card.path()));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "tessaro-cli: the built-in geocoder cannot load its data; no places are "
                       "looked up\n");
    EXPECT_EQ(run.out, "2010(平成22)年\n  08月15日\n    09時05分-1.JPG\n    09時05分-2.JPG\n"
                       "    09時05分-3.JPG\n");
}
