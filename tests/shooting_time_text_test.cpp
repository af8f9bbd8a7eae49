#include "platform/local_time.h"
#include "records/leading_number.h"
#include "records/shooting_time_text.h"

#include <gtest/gtest.h>

namespace {

std::int64_t Parsed(std::string_view text) {
    std::int64_t seconds = -12345;
    EXPECT_TRUE(ParseShootingTimeText(text, seconds)) << text;
    return seconds;
}

bool Refused(std::string_view text) {
    std::int64_t seconds = -12345;
    const bool parsed = ParseShootingTimeText(text, seconds);
    EXPECT_EQ(seconds, -12345) << "a refused text leaves the time alone";
    return !parsed;
}

} // namespace

TEST(ParseShootingTimeText, readsTheFieldsAtTheirPlacesAsLocalTimeAndCarriesDays) {
    EXPECT_EQ(Parsed("2011:03:05 09:07:00"), 1299283620);
    EXPECT_EQ(Parsed("2011:02:30 10:00:00"), LocalToSeconds({2011, 3, 2, 10, 0, 0}));
    EXPECT_EQ(Parsed("2011-03-05T09:07:00Z"), 1299283620) << "separators are never looked at";
    EXPECT_EQ(Parsed("2011:3:5 9:7:0 trailing"), LocalToSeconds({2011, 3, 9, 7, 0, 0}))
        << "each field is read from its fixed place: month \"3:\", day \" 9\", hour \"7:\", ...";
    EXPECT_EQ(Parsed("2011:03:05"), LocalToSeconds({2011, 3, 5, 0, 0, 0}))
        << "fields past the end read as 0";
    EXPECT_EQ(Parsed("1900:01:01 00:00:00"), LocalToSeconds({1900, 1, 1, 0, 0, 0}));
    EXPECT_EQ(Parsed("9999:12:31 23:59:59"), LocalToSeconds({9999, 12, 31, 23, 59, 59}));
}

TEST(ParseShootingTimeText, refusesFieldsOutOfRange) {
    EXPECT_TRUE(Refused("0000:00:00 00:00:00"));
    EXPECT_TRUE(Refused("1899:12:31 23:59:59"));
    EXPECT_TRUE(Refused("2011:13:05 09:07:00"));
    EXPECT_TRUE(Refused("2011:03:32 09:07:00"));
    EXPECT_TRUE(Refused("2011:03:05 24:07:00"));
    EXPECT_TRUE(Refused("2011:03:05 09:60:00"));
    EXPECT_TRUE(Refused("2011:03:05 09:07:60"));
    EXPECT_TRUE(Refused("2011:03:05 09:-1:00"));
    EXPECT_TRUE(Refused("2011:03"));
    EXPECT_TRUE(Refused(""));
}

TEST(LeadingNumber, readsLikeAtoiAndAtofButSaturatesAndRefusesNonFiniteValues) {
    EXPECT_EQ(LeadingInt(" \t+12abc"), 12);
    EXPECT_EQ(LeadingInt("-3"), -3);
    EXPECT_EQ(LeadingInt("x1"), 0);
    EXPECT_EQ(LeadingInt("+-1"), 0);
    EXPECT_EQ(LeadingInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(LeadingInt("-99999999999999999999"), -2147483647 - 1);
    EXPECT_DOUBLE_EQ(LeadingDouble(" 35.011636xyz"), 35.011636);
    EXPECT_DOUBLE_EQ(LeadingDouble("-135.5"), -135.5);
    EXPECT_DOUBLE_EQ(LeadingDouble("+1e2"), 100.0);
    EXPECT_EQ(LeadingDouble("--1"), 0.0);
    EXPECT_EQ(LeadingDouble("nan"), 0.0);
    EXPECT_EQ(LeadingDouble("-inf"), 0.0);
    EXPECT_EQ(LeadingDouble("1e999"), 0.0);
    EXPECT_EQ(LeadingDouble(""), 0.0);
}
