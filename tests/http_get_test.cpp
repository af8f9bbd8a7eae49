#include "platform/http_get.h"
#include "tests/loopback_server.h"

#include <gtest/gtest.h>

#include <atomic>
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
    std::atomic<int> asked{0};
    const auto start = std::chrono::steady_clock::now();
    const auto body = HttpGet(silent.url() + "/map", limits, [&] { return ++asked < 2; });
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(body, std::nullopt);
    EXPECT_GE(asked.load(), 2);
    EXPECT_LT(waited, limits.whole / 2) << "ended by its time-out, not by the caller";
}

TEST(HttpGet, failsWithoutAServerOrForAnotherScheme) {
    EXPECT_EQ(HttpGet("http://127.0.0.1:" + std::to_string(ClosedPort()) + "/", HttpLimits{}),
              std::nullopt);
    EXPECT_EQ(HttpGet("file:///etc/passwd", HttpLimits{}), std::nullopt);
}
