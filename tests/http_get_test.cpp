#include "platform/http_get.h"
#include "tests/loopback_server.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>

TEST(HttpGet, returnsABinaryBodyByteForByteWhateverTheStatus) {
    std::string picture("\x89PNG\r\n\x1a\n", 8);
    for (int i = 0; i < 3000; ++i) {
        picture += static_cast<char>(i % 256);
    }
    LoopbackServer server([&](const httplib::Request& request, httplib::Response& response) {
        response.status = request.path == "/missing" ? 404 : 200;
        response.set_content(picture, "image/png");
    });
    ASSERT_TRUE(server.running());
    EXPECT_EQ(HttpGet(server.url() + "/map", HttpLimits{}), picture);
    EXPECT_EQ(HttpGet(server.url() + "/missing", HttpLimits{}), picture);
    HttpLimits small;
    small.answerBytes = picture.size() - 1;
    EXPECT_EQ(HttpGet(server.url() + "/map", small), std::nullopt) << "one byte too many";
}

TEST(HttpGet, breaksAnExchangeOffAsSoonAsItIsNoLongerWanted) {
    // The listener never answers: only the caller's word, or the time-out, ends the exchange.
    SilentListener silent;
    HttpLimits limits;
    limits.whole = std::chrono::seconds(60);
    // Its waits go by the sleep clock, which a loaded machine does not lengthen.
    const double start = SleepClock();
    double asked = start;
    double longestWait = 0;
    bool wanted = true;
    const auto body = HttpGet(silent.url() + "/map", limits, [&] {
        const double now = SleepClock();
        if (wanted) {
            longestWait = std::max(longestWait, now - asked);
            asked = now;
            wanted = now - start < 1.0;
        }
        return wanted;
    });
    EXPECT_EQ(body, std::nullopt);
    // libcurl alone would look again only a second later; a program must end within one.
    EXPECT_LT(longestWait, 0.5);
    EXPECT_LT(SleepClock() - asked, 0.5);
}

TEST(HttpGet, failsWithoutAServerOrForAnotherScheme) {
    EXPECT_EQ(HttpGet("http://127.0.0.1:" + std::to_string(ClosedPort()) + "/", HttpLimits{}),
              std::nullopt);
    EXPECT_EQ(HttpGet("file:///etc/passwd", HttpLimits{}), std::nullopt);
}
