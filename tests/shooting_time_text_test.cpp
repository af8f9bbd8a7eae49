#include "platform/local_time.h"
#include "platform/shooting_time_text.h"

#include <gtest/gtest.h>

namespace {

// A refused text leaves the time alone; the quick check agrees with the parse.
std::string Parsed(std::string_view text) {
    std::int64_t seconds = -12345;
    const bool parsed = ParseShootingTimeText(text, seconds);
    EXPECT_EQ(IsShootingTimeText(text), parsed) << text;
    if (parsed) {
        return FormatDateTime(SecondsToLocal(seconds));
    }
    return seconds == -12345 ? "none" : "changed";
}

} // namespace

TEST(ShootingTimeText, carriesADayPastTheEndOfItsMonthIntoTheNext) {
    EXPECT_EQ(Parsed("2011:02:30 10:00:00"), "2011:03:02 10:00:00");
    EXPECT_EQ(Parsed("2012:02:30 10:00:00"), "2012:03:01 10:00:00");
    EXPECT_EQ(Parsed("2010:12:31 23:59:59"), "2010:12:31 23:59:59");
    EXPECT_EQ(Parsed("1900:01:01 00:00:00"), "1900:01:01 00:00:00");
}

TEST(ShootingTimeText, readsEachFieldAtItsPlaceLikeAtoi) {
    EXPECT_EQ(Parsed("2010-08-15T09:05:30"), "2010:08:15 09:05:30");
    EXPECT_EQ(Parsed("2010:8 :15  9: 5:3"), "2010:08:15 09:05:03");
    EXPECT_EQ(Parsed("2010:+8:15 09:05:30"), "2010:08:15 09:05:30");
    EXPECT_EQ(Parsed("2010:1x:15 09:05:30"), "2010:01:15 09:05:30");
    // Fields the text does not reach read as 0.
    EXPECT_EQ(Parsed("2010:08:15"), "2010:08:15 00:00:00");
}

TEST(ShootingTimeText, refusesFieldsOutsideTheirRanges) {
    for (const char* text : {"0000:00:00 00:00:00", "1899:12:31 23:59:59", "2010:13:01 00:00:00",
                             "2010:00:01 00:00:00", "2010:01:32 00:00:00", "2010:01:00 00:00:00",
                             "2010:01:01 24:00:00", "2010:01:01 00:60:00", "2010:01:01 00:00:60",
                             "2010:-1:01 00:00:00", "    :  :     :  :  ", ""}) {
        EXPECT_EQ(Parsed(text), "none") << text;
    }
}
