#include "platform/leading_number.h"

#include <gtest/gtest.h>

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
