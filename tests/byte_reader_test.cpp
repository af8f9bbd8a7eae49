#include "platform/byte_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

TEST(ByteReader, readsBothByteOrdersAndRefusesEveryReadPastTheEnd) {
    const std::array<std::uint8_t, 5> bytes{0x12, 0x34, 0x56, 0x78, 0x9A};
    const ByteReader motorola(bytes, true);
    const ByteReader intel(bytes, false);
    EXPECT_EQ(motorola.u16(0), 0x1234u);
    EXPECT_EQ(intel.u16(0), 0x3412u);
    EXPECT_EQ(motorola.u32(1), 0x3456789Au);
    EXPECT_EQ(intel.u32(1), 0x9A785634u);
    EXPECT_EQ(motorola.u8(4), 0x9Au);
    EXPECT_FALSE(motorola.u8(5));
    EXPECT_FALSE(motorola.u16(4));
    EXPECT_FALSE(intel.u32(2));
}

TEST(ByteReader, refusesSlicesWhoseOffsetOrLengthWouldWrapAround) {
    const std::array<std::uint8_t, 4> bytes{1, 2, 3, 4};
    const ByteReader reader(bytes, true);
    constexpr auto kHuge = std::numeric_limits<std::uint64_t>::max();
    EXPECT_FALSE(reader.slice(kHuge, 2));
    EXPECT_FALSE(reader.slice(2, kHuge));
    EXPECT_FALSE(reader.u32(kHuge - 1));
    ASSERT_TRUE(reader.slice(4, 0));
    EXPECT_TRUE(reader.slice(4, 0)->empty());
    EXPECT_EQ(reader.slice(1, 3)->size(), 3u);
}
