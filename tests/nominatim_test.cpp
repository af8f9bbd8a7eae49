#include "geocode/geocode_answer.h"
#include "geocode/geocode_cache.h"
#include "geocode/geocoding_service.h"
#include "geocode/nominatim_answer.h"
#include "geocode/reverse_geocode.h"
#include "tests/loopback_server.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <vector>

namespace {

using Names = std::vector<std::string>;
using Clock = std::chrono::steady_clock;

// Nominatim's documented "jsonv2" answer to a reverse request, for Gion in Kyoto: the address
// lists its parts from the finest to the coarsest.
constexpr char kGion[] = R"({
  "place_id": 100149, "licence": "Data © OpenStreetMap contributors, ODbL 1.0.",
  "osm_type": "node", "osm_id": 107775, "lat": "35.0036", "lon": "135.7681",
  "category": "place", "type": "neighbourhood", "place_rank": 22, "importance": 0.1,
  "addresstype": "neighbourhood", "name": "祇園町南側",
  "display_name": "祇園町南側, 祇園町, 東山区, 京都市, 京都府, 605-0074, 日本",
  "address": {"neighbourhood": "祇園町南側", "suburb": "祇園町", "city_district": "東山区",
              "city": "京都市", "province": "京都府", "ISO3166-2-lvl4": "JP-26",
              "postcode": "605-0074", "country": "日本", "country_code": "jp"},
  "boundingbox": ["35.0", "35.1", "135.7", "135.8"]})";

struct Request {
    std::string target;
    std::string agent;
    Clock::time_point time;
};

// A Nominatim server on 127.0.0.1 answering every request with one body and status.
class Nominatim : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server_.running());
        service_ = geocodingServiceFor("nominatim:" + server_.url() + "/");
    }

    void answer(std::string body, int status = 200) {
        const std::lock_guard lock(mutex_);
        body_ = std::move(body);
        status_ = status;
    }
    std::vector<Request> requests() {
        const std::lock_guard lock(mutex_);
        return requests_;
    }
    std::pair<int, Names> geocode(double latitude, double longitude, Names list = {}) {
        const int result = reverseGeocode(service_, latitude, longitude, list);
        return {result, list};
    }

    GeocodingService service_;

private:
    std::mutex mutex_;
    std::string body_ = kGion;
    int status_ = 200;
    std::vector<Request> requests_;
    LoopbackServer server_{[this](const httplib::Request& request, httplib::Response& response) {
        const std::lock_guard lock(mutex_);
        requests_.push_back({request.target, request.get_header_value("User-Agent"), Clock::now()});
        response.status = status_;
        response.set_content(body_, "application/json; charset=utf-8");
    }};
};

} // namespace

TEST_F(Nominatim, asksInJapaneseUnderOurNameAndMapsTheAddressToThePlaceLevels) {
    EXPECT_EQ(geocode(35.0036, 135.7681, {"earlier"}),
              std::pair(kGeocodeOk,
                        Names{"日本", "京都府", "京都市", "祇園町", "祇園町南側", "earlier"}));
    const auto sent = requests();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].target, "/reverse?lat=35.003600&lon=135.768100&format=jsonv2"
                              "&accept-language=ja&zoom=14");
    EXPECT_EQ(sent[0].agent, std::string("Tessaro/") + TESSARO_VERSION);
}

TEST_F(Nominatim, asksAtMostOnceASecond) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(geocode(35.0 + i, 135.0).first, kGeocodeOk);
    }
    const auto sent = requests();
    ASSERT_EQ(sent.size(), 3u);
    for (std::size_t i = 1; i < sent.size(); ++i) {
        EXPECT_GE(sent[i].time - sent[i - 1].time, std::chrono::milliseconds(990)) << i;
    }
}

TEST_F(Nominatim, keepsItsAnswersSoThatAPositionAskedAgainCostsNoRequest) {
    TempDir dir;
    service_.cache = std::make_shared<GeocodeCache>(dir.path() + "geocode.sqlite");
    service_.interval = std::chrono::milliseconds(0);
    const auto first = geocode(35.0036, 135.7681);
    EXPECT_EQ(geocode(35.00363, 135.76808), first) << "some 4 m away";
    EXPECT_EQ(requests().size(), 1u);
    answer(R"({"error": "Unable to geocode"})");
    EXPECT_EQ(geocode(35.0046, 135.7681), std::pair(kGeocodeFailed, Names{})) << "110 m away";
    EXPECT_EQ(geocode(35.0046, 135.7681), std::pair(kGeocodeFailed, Names{}));
    EXPECT_EQ(requests().size(), 3u) << "a failure is not kept";
}

TEST_F(Nominatim, takesAServerThatTurnsUsAwayForARefusal) {
    for (const int status : {403, 429}) {
        answer("<html>blocked</html>", status);
        EXPECT_EQ(geocode(35.0, 135.0, {"earlier"}), std::pair(kGeocodeRefused, Names{"earlier"}))
            << status;
    }
}

TEST(NominatimAnswer, leavesOutTheLevelsAnAddressLacksAndNeverTakesACoarserPartForTheFinest) {
    Names list;
    EXPECT_EQ(readNominatimAnswer(R"({"address": {"city": "London", "state_district":
        "Greater London", "state": "England", "postcode": "SW1A 2DU",
        "country": "United Kingdom", "country_code": "gb"}})",
                                  list),
              kGeocodeOk);
    EXPECT_EQ(list, (Names{"United Kingdom", "England", "London"}));
    list.clear();
    EXPECT_EQ(readNominatimAnswer(R"({"address": {"house_number": "3", "road": "中通り",
        "village": "美瑛町", "state": "北海道", "country": "日本"}})",
                                  list),
              kGeocodeOk);
    EXPECT_EQ(list, (Names{"日本", "北海道", "美瑛町", "中通り"}));
}

TEST(NominatimAnswer, refusesWhatIsNoAddressAndLeavesTheListAlone) {
    for (const char* answer :
         {"", "not json", R"({"error": "Unable to geocode"})", R"([{"address": {}}])",
          R"({"address": "日本"})", R"({"address": {"country": "日本")",
          "{\"address\": {\"country\": \"\xff\"}}"}) {
        Names list = {"earlier"};
        EXPECT_EQ(readNominatimAnswer(answer, list), kGeocodeFailed) << answer;
        EXPECT_EQ(list, Names{"earlier"}) << answer;
    }
}
