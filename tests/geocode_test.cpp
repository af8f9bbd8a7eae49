#include "geocode/geocode_answer.h"
#include "geocode/geocode_request.h"
#include "geocode/geocoding_service.h"
#include "geocode/probe_geocoding_service.h"
#include "geocode/reverse_geocode.h"
#include "tests/loopback_server.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <memory>
#include <mutex>
#include <vector>

namespace {

using Names = std::vector<std::string>;

constexpr char kRedirectedPrefix[] = "/old";

struct Received {
    std::string method;
    std::string target;
    std::string version;
    httplib::Headers headers;
    std::string body;
};

struct Reply {
    int status = 200;
    std::string body;
    bool chunked = false;
};

std::string GeocodeResponse(const std::string& inside) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<GeocodeResponse>\n" + inside +
           "</GeocodeResponse>\n";
}

// An "OK" answer with one result whose components carry `names` in document order.
std::string OkAnswer(const Names& names) {
    std::string result = " <status>OK</status>\n <result>\n  <type>street_address</type>\n";
    for (const std::string& name : names) {
        result += "  <address_component>\n   <long_name>" + name + "</long_name>\n   <short_name>" +
                  name + "</short_name>\n   <type>political</type>\n  </address_component>\n";
    }
    return GeocodeResponse(result + " </result>\n");
}

std::string RealAnswer(const std::string& name) {
    return ReadFile(TestDataDir() + "/geocode/" + name);
}

// Answers every request with the reply set last and remembers what each request carried. A
// path under /old is redirected to the same path without it.
class Geocode : public ::testing::Test {
protected:
    void SetUp() override {
        server_ = std::make_unique<LoopbackServer>(
            [this](const httplib::Request& request, httplib::Response& response) {
                respond(request, response);
            });
        ASSERT_TRUE(server_->running());
        service_.baseUrl = server_->url();
        // Shorter than the program's time-outs, so that a fault fails quickly instead of waiting.
        service_.limits.connect = std::chrono::milliseconds(2000);
        service_.limits.whole = std::chrono::milliseconds(5000);
    }

    void TearDown() override { server_.reset(); }

    void reply(std::string body, int status = 200, bool chunked = false) {
        std::lock_guard lock(mutex_);
        reply_ = {status, std::move(body), chunked};
    }

    std::vector<Received> received() {
        std::lock_guard lock(mutex_);
        return received_;
    }

    // The code of reverseGeocode for `answer`, with the list it left.
    std::pair<int, Names> geocode(const std::string& answer, Names list = {}) {
        reply(answer);
        const int result = reverseGeocode(service_, 34.5, -135.25, list);
        return {result, list};
    }

    GeocodingService service_;

private:
    void respond(const httplib::Request& request, httplib::Response& response) {
        std::lock_guard lock(mutex_);
        received_.push_back(
            {request.method, request.target, request.version, request.headers, request.body});
        if (request.target.starts_with(kRedirectedPrefix)) {
            response.set_redirect(request.target.substr(sizeof kRedirectedPrefix - 1));
            return;
        }
        response.status = reply_.status;
        if (!reply_.chunked) {
            response.set_content(reply_.body, "text/xml; charset=UTF-8");
            return;
        }
        response.set_chunked_content_provider(
            "text/xml; charset=UTF-8",
            [body = reply_.body](std::size_t offset, httplib::DataSink& sink) {
                const std::size_t length = std::min<std::size_t>(65536, body.size() - offset);
                if (!sink.write(body.data() + offset, length)) {
                    return false;
                }
                if (offset + length == body.size()) {
                    sink.done();
                }
                return true;
            });
    }

    std::unique_ptr<LoopbackServer> server_;
    std::mutex mutex_;
    Reply reply_;
    std::vector<Received> received_;
};

const Names kKyoto = {"日本", "京都府", "京都市", "東山区", "清水", "１丁目", "２９４"};

} // namespace

TEST_F(Geocode, sendsOneGetPerCallWithTheFixedPathAgentAndHeaderLinesAndNoBody) {
    for (int call = 0; call < 2; ++call) {
        EXPECT_EQ(geocode(RealAnswer("ok_ja_kyoto_higashiyama.xml")).first, kGeocodeOk);
    }
    const auto requests = received();
    ASSERT_EQ(requests.size(), 2u) << "every call asks the service again";
    for (const Received& request : requests) {
        EXPECT_EQ(request.method, "GET");
        EXPECT_EQ(request.target,
                  "/maps/api/geocode/xml?latlng=34.500000,-135.250000&sensor=false");
        EXPECT_EQ(request.version, "HTTP/1.1");
        ASSERT_EQ(request.headers.count("User-Agent"), 1u);
        EXPECT_EQ(request.headers.find("User-Agent")->second, "Test:GoogleMap");
        ASSERT_EQ(request.headers.count("Accept-Language"), 1u);
        EXPECT_EQ(request.headers.find("Accept-Language")->second, "ja");
        ASSERT_EQ(request.headers.count("Content-Type"), 1u);
        EXPECT_EQ(request.headers.find("Content-Type")->second,
                  "application/x-www-form-urlencoded");
        EXPECT_EQ(request.headers.count("Accept"), 0u);
        EXPECT_EQ(request.headers.count("Content-Length"), 0u);
        EXPECT_EQ(request.body, "");
    }
}

TEST_F(Geocode, readsAJapaneseAddressDownFromTheCountryBeforeWhatTheListHeldAndNoPostalCode) {
    EXPECT_EQ(geocode(RealAnswer("ok_ja_kyoto_higashiyama.xml")), std::pair(kGeocodeOk, kKyoto));
    Names expected = kKyoto;
    expected.insert(expected.end(), {"7", "earlier"});
    EXPECT_EQ(geocode(RealAnswer("ok_ja_kyoto_higashiyama.xml"), {"7", "earlier"}),
              std::pair(kGeocodeOk, expected));
}

TEST_F(Geocode, dropsAForeignPostalCodeThatEndsUpFirstButKeepsACountry) {
    EXPECT_EQ(geocode(RealAnswer("ok_it_arezzo_postal_last.xml")),
              std::pair(kGeocodeOk, Names{"Italy", "Tuscany", "Province of Arezzo", "Arezzo",
                                          "Arezzo", "Piazza Grande"}));
    EXPECT_EQ(geocode(OkAnswer({"350", "5th Avenue", "Manhattan", "New York", "United States"})),
              std::pair(kGeocodeOk,
                        Names{"United States", "New York", "Manhattan", "5th Avenue", "350"}));
    EXPECT_EQ(geocode(OkAnswer({"Main Street", "Springfield", " +10001"})),
              std::pair(kGeocodeOk, Names{"Springfield", "Main Street"}));
}

TEST_F(Geocode, leavesTheListUntouchedOnEveryStatusButOk) {
    const Names earlier = {"earlier"};
    EXPECT_EQ(geocode(RealAnswer("over_query_limit.xml"), earlier),
              std::pair(kGeocodeOverQueryLimit, earlier));
    EXPECT_EQ(geocode(RealAnswer("request_denied.xml"), earlier),
              std::pair(kGeocodeRefused, earlier));
    for (const char* file : {"zero_results.xml", "invalid_request.xml"}) {
        EXPECT_EQ(geocode(RealAnswer(file), earlier), std::pair(kGeocodeFailed, earlier)) << file;
    }
    EXPECT_EQ(geocode(GeocodeResponse("<result><address_component><long_name>x</long_name>"
                                      "</address_component></result>"),
                      earlier),
              std::pair(kGeocodeFailed, earlier))
        << "no status at all";
}

TEST_F(Geocode, answersOkWithTheListUnchangedWithoutAResultAfterTheStatusOrAComponentInIt) {
    // A first entry that reads as a number is the caller's, not a postal code of this answer.
    const Names earlier = {"7", "earlier"};
    EXPECT_EQ(geocode(GeocodeResponse("<status>OK</status>"), earlier),
              std::pair(kGeocodeOk, earlier));
    EXPECT_EQ(geocode(GeocodeResponse("<status>OK</status><result><formatted_address>x"
                                      "</formatted_address></result>"),
                      earlier),
              std::pair(kGeocodeOk, earlier));
    EXPECT_EQ(geocode(GeocodeResponse("<result><address_component><long_name>x</long_name>"
                                      "</address_component></result><status>OK</status>"),
                      earlier),
              std::pair(kGeocodeOk, earlier));
}

TEST_F(Geocode, givesAComponentWithoutALongNameTheNextOneAndStopsAtAnUnclosedComponent) {
    const std::string answer =
        GeocodeResponse("<status>OK</status><result>"
                        "<address_component><short_name>1</short_name></address_component>"
                        "<address_component><long_name>渋谷</long_name></address_component>"
                        "<address_component><long_name>東京都</long_name></address_component>"
                        "<address_component><long_name>never closed</long_name>"
                        "</result>");
    EXPECT_EQ(geocode(answer), std::pair(kGeocodeOk, Names{"東京都", "渋谷"}));
}

TEST_F(Geocode, replacesInvalidUtf8AndKeepsEveryValidCharacter) {
    EXPECT_EQ(geocode(OkAnswer({"Caf\xC3\xA9 \xF0\x9F\x98\x80",
                                "a\xFF"
                                "b\xE4\xBA",
                                "日本"})),
              std::pair(kGeocodeOk, Names{"日本", "a\uFFFDb\uFFFD", "Café 😀"}));
}

TEST_F(Geocode, readsTheBodyOfAnHttpErrorLikeAnyOtherAnswer) {
    reply(RealAnswer("ok_ja_kyoto_higashiyama.xml"), 500);
    Names list;
    EXPECT_EQ(reverseGeocode(service_, 34.5, -135.25, list), kGeocodeOk);
    EXPECT_EQ(list, kKyoto);

    reply("<html><body>Internal Server Error</body></html>", 500);
    list.clear();
    EXPECT_EQ(reverseGeocode(service_, 34.5, -135.25, list), kGeocodeFailed);
    EXPECT_TRUE(list.empty());
}

TEST_F(Geocode, followsARedirectWithTheSameAgentAndHeaders) {
    service_.baseUrl += kRedirectedPrefix;
    reply(RealAnswer("ok_ja_kyoto_higashiyama.xml"));
    Names list;
    EXPECT_EQ(reverseGeocode(service_, 34.5, -135.25, list), kGeocodeOk);
    EXPECT_EQ(list, kKyoto);
    const auto requests = received();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].target,
              "/old/maps/api/geocode/xml?latlng=34.500000,-135.250000&sensor=false");
    EXPECT_EQ(requests[1].target,
              "/maps/api/geocode/xml?latlng=34.500000,-135.250000&sensor=false");
    EXPECT_EQ(requests[1].headers.find("User-Agent")->second, "Test:GoogleMap");
    EXPECT_EQ(requests[1].headers.count("Accept-Language"), 1u);
}

TEST_F(Geocode, takesAnAnswerOfExactlyTheLimitWholeAndFailsALargerOneAnnouncedOrNot) {
    const std::string answer = OkAnswer({"京都市", "京都府", "日本"});
    const std::string pad(service_.limits.answerBytes - answer.size(), ' ');
    const std::string atLimit = pad + answer;
    Names list;
    reply(atLimit);
    EXPECT_EQ(reverseGeocode(service_, 34.5, -135.25, list), kGeocodeOk);
    EXPECT_EQ(list, (Names{"日本", "京都府", "京都市"}));

    for (const bool chunked : {false, true}) {
        reply(" " + atLimit, 200, chunked);
        list.clear();
        EXPECT_EQ(reverseGeocode(service_, 34.5, -135.25, list), kGeocodeFailed) << chunked;
        EXPECT_TRUE(list.empty());
    }
}

TEST_F(Geocode, givesUpOnAServerThatNeverAnswersWithinTheWholeExchangeLimit) {
    SilentListener silent;
    service_.baseUrl = silent.url();
    service_.limits.whole = std::chrono::milliseconds(300);
    Names list = {"earlier"};
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(reverseGeocode(service_, 34.5, -135.25, list), kGeocodeFailed);
    // Far beyond the limit set above and far below the production one: the limit was applied.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
    EXPECT_EQ(list, Names{"earlier"});
}

TEST_F(Geocode, failsAtAClosedPortAndWithAnEndpointItCannotSpeakTo) {
    Names list = {"earlier"};
    service_.baseUrl = "http://127.0.0.1:" + std::to_string(ClosedPort());
    EXPECT_EQ(reverseGeocode(service_, 34.5, -135.25, list), kGeocodeFailed);
    service_.baseUrl = "file:///etc";
    EXPECT_EQ(reverseGeocode(service_, 34.5, -135.25, list), kGeocodeFailed);
    EXPECT_EQ(list, Names{"earlier"});
}

TEST_F(Geocode, probesTheFixedPositionAndReportsTheResultCode) {
    reply(RealAnswer("ok_ja_kyoto_higashiyama.xml"));
    EXPECT_EQ(probeGeocodingService(service_), kGeocodeOk);
    reply(RealAnswer("over_query_limit.xml"));
    EXPECT_EQ(probeGeocodingService(service_), kGeocodeOverQueryLimit);
    const auto requests = received();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].target, "/maps/api/geocode/xml?latlng=35.169621,136.883957&sensor=false");
}

namespace {

// The process runs under a locale whose decimal separator is a comma, set before the server
// starts and given back after it has stopped.
class GeocodeUnderDecimalComma : public Geocode {
protected:
    void SetUp() override {
        previous_ = std::setlocale(LC_ALL, nullptr);
        for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "it_IT.UTF-8", "es_ES.UTF-8",
                                 "ru_RU.UTF-8", "nl_NL.UTF-8", "pt_BR.UTF-8"}) {
            if (std::setlocale(LC_ALL, name) != nullptr &&
                std::string(std::localeconv()->decimal_point) == ",") {
                Geocode::SetUp();
                return;
            }
        }
        std::setlocale(LC_ALL, previous_.c_str());
        GTEST_SKIP() << "no locale with a decimal comma is installed (locale -a); "
                        "scripts/install-deps.sh generates de_DE.UTF-8";
    }

    void TearDown() override {
        Geocode::TearDown();
        std::setlocale(LC_ALL, previous_.c_str());
    }

private:
    std::string previous_;
};

} // namespace

TEST_F(GeocodeUnderDecimalComma, formatsThePositionWithADecimalPoint) {
    char naive[16];
    std::snprintf(naive, sizeof naive, "%.1f", 1.5);
    ASSERT_STREQ(naive, "1,5") << "the locale is in force";

    EXPECT_EQ(geocodeQuery(-33.8688, 151.2093), "latlng=-33.868800,151.209300&sensor=false");
    reply(RealAnswer("zero_results.xml"));
    Names list;
    EXPECT_EQ(reverseGeocode(service_, -33.8688, 151.2093, list), kGeocodeFailed);
    const auto requests = received();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].target,
              "/maps/api/geocode/xml?latlng=-33.868800,151.209300&sensor=false");
}

TEST(GeocodingService, takesEndpointAndKeyFromTheServiceSectionAndPutsTheKeyInTheQuery) {
    TempDir dir;
    const std::string path = dir.path() + "tessaroInit.Ini";
    const GeocodingService missing = loadGeocodingService(path);
    EXPECT_EQ(missing.baseUrl, "builtin:");
    EXPECT_EQ(geocodeRequestUrl(missing, 35.0, 135.5),
              "builtin:/maps/api/geocode/xml?latlng=35.000000,135.500000&sensor=false");

    WriteFile(path, "[Service]\nGeocodeURL=https://maps.googleapis.com\n");
    EXPECT_EQ(geocodeRequestUrl(loadGeocodingService(path), 35.0, 135.5),
              "https://maps.googleapis.com/maps/api/geocode/xml?"
              "latlng=35.000000,135.500000&sensor=false");

    WriteFile(path, "[service]\ngeocodeurl = http://127.0.0.1:8080/ \napikey=ab-C_9&x y\n");
    const GeocodingService set = loadGeocodingService(path);
    EXPECT_EQ(geocodeRequestUrl(set, 35.0, 135.5),
              "http://127.0.0.1:8080/maps/api/geocode/xml?"
              "latlng=35.000000,135.500000&sensor=false&key=ab-C_9%26x%20y");

    WriteFile(path, "[Service]\nGeocodeURL=\n");
    EXPECT_EQ(loadGeocodingService(path).baseUrl, "builtin:");
}

TEST(GeocodingService, pacesANominatimServerToOnceASecondAndThePublicOneNeverFaster) {
    using std::chrono::milliseconds;
    TempDir dir;
    const std::string path = dir.path() + "tessaroInit.Ini";
    const GeocodingService own = loadGeocodingService(path, "nominatim:http://127.0.0.1:8080/");
    EXPECT_EQ(own.interval, milliseconds(1000));
    EXPECT_EQ(geocodeRequestUrl(own, 35.0, -135.5),
              "http://127.0.0.1:8080/reverse?lat=35.000000&lon=-135.500000&format=jsonv2"
              "&accept-language=ja&zoom=14");
    WriteFile(path, "[Service]\nGeocodeURL=nominatim:https://Nominatim.OpenStreetMap.org\n"
                    "GeocodeInterval=0\n");
    EXPECT_EQ(loadGeocodingService(path).interval, milliseconds(1000));
    EXPECT_EQ(loadGeocodingService(path, "nominatim:http://127.0.0.1:8080").interval,
              milliseconds(0));
    EXPECT_EQ(loadGeocodingService(path, "https://maps.googleapis.com").interval, milliseconds(0));
}
