#include "ui/divider_move.h"

#include <gtest/gtest.h>

TEST(DividerMove, aNegativeStepMovesTheDividerRightByFivePixels) {
    ListRect source{4, 54, 381, 596};
    ListRect result{390, 54, 381, 596};
    ASSERT_TRUE(MoveDivider(source, result, -1));
    EXPECT_EQ(source.width, 386);
    EXPECT_EQ(result.x, 395);
    EXPECT_EQ(result.width, 376);
    EXPECT_EQ(result.x + result.width, 771) << "the result list's right edge stays";
    ASSERT_TRUE(MoveDivider(source, result, 1));
    ASSERT_TRUE(MoveDivider(source, result, 0)) << "zero moves left as well";
    EXPECT_EQ(source.width, 376);
    EXPECT_EQ(result.x, 385);
}

TEST(DividerMove, refusesOnceTheShrinkingListIsNarrowerThanAHundredPixels) {
    ListRect source{0, 0, 381, 10};
    ListRect result{390, 0, 102, 10};
    ASSERT_TRUE(MoveDivider(source, result, -1)); // 102 is still wide enough
    EXPECT_EQ(result.width, 97);
    const ListRect before = result;
    EXPECT_FALSE(MoveDivider(source, result, -1));
    EXPECT_EQ(result.width, before.width);
    EXPECT_EQ(source.width, 386);
    // The other way is still open.
    EXPECT_TRUE(MoveDivider(source, result, 1));
    EXPECT_EQ(result.width, 102);

    ListRect narrowSource{0, 0, 99, 10};
    EXPECT_FALSE(MoveDivider(narrowSource, result, 1));
    EXPECT_TRUE(MoveDivider(narrowSource, result, -1));
}
