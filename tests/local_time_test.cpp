#include "platform/local_time.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

void UseZone(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
}

// Tokyo is the zone every test run sets; a test that moves away comes back.
struct LocalTime : ::testing::Test {
    void SetUp() override { UseZone("Asia/Tokyo"); }
    void TearDown() override { UseZone("Asia/Tokyo"); }
};

std::string Local(std::int64_t seconds) {
    return FormatDateTime(SecondsToLocal(seconds));
}

} // namespace

TEST_F(LocalTime, turnsTokyoCalendarTimeIntoSecondsAndBack) {
    EXPECT_EQ(LocalToSeconds({2011, 3, 5, 9, 7, 0}), 1299283620);
    EXPECT_EQ(Local(1299283620), "2011:03:05 09:07:00");
}

TEST_F(LocalTime, carriesFieldsOutOfRangeIntoTheNextUnit) {
    EXPECT_EQ(LocalToSeconds({2011, 2, 29, 0, 0, 0}), LocalToSeconds({2011, 3, 1, 0, 0, 0}));
    EXPECT_NE(LocalToSeconds({2012, 2, 29, 0, 0, 0}), LocalToSeconds({2012, 3, 1, 0, 0, 0}));
    EXPECT_EQ(LocalToSeconds({2010, 13, 1, 0, 0, 0}), LocalToSeconds({2011, 1, 1, 0, 0, 0}));
    EXPECT_EQ(LocalToSeconds({2011, 3, 5, 23, 59, 60}), LocalToSeconds({2011, 3, 6, 0, 0, 0}));
}

TEST_F(LocalTime, handlesTheEpochAndTimesBeforeIt) {
    EXPECT_EQ(LocalToSeconds({1970, 1, 1, 9, 0, 0}), 0);
    EXPECT_EQ(LocalToSeconds({1970, 1, 1, 0, 0, 0}), -32400);
    EXPECT_EQ(Local(-1), "1970:01:01 08:59:59");
    EXPECT_EQ(Local(LocalToSeconds({1965, 6, 15, 12, 30, 45})), "1965:06:15 12:30:45");
}

TEST_F(LocalTime, letsTheSystemDecideDaylightSaving) {
    UseZone("America/New_York");
    EXPECT_EQ(LocalToSeconds({2011, 7, 1, 12, 0, 0}), 1309536000) << "EDT, UTC-4";
    EXPECT_EQ(LocalToSeconds({2011, 1, 1, 12, 0, 0}), 1293901200) << "EST, UTC-5";
    EXPECT_EQ(Local(1309536000), "2011:07:01 12:00:00");
}

TEST(FormatDateTime, padsEveryFieldAndSeparatesTheDateWithColons) {
    EXPECT_EQ(FormatDateTime({800, 12, 31, 3, 5, 9}), "0800:12:31 03:05:09");
}
