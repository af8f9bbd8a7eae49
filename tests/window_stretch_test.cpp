#include "ui/control_ids.h"
#include "ui/tessaro_layout.h"
#include "ui/ui_scale.h"
#include "ui/window_stretch.h"

#include <gtest/gtest.h>

namespace {

ListRect AtMinimum(const LayoutEntry& entry) {
    const DialogRect& r = entry.rect;
    return {DialogUnitsToPixels(r.x), DialogUnitsToPixels(r.y), DialogUnitsToPixels(r.width),
            DialogUnitsToPixels(r.height)};
}

const LayoutEntry& Entry(int id) {
    for (const LayoutEntry& entry : MainWindowLayout()) {
        if (entry.id == id) {
            return entry;
        }
    }
    throw std::out_of_range("no such control");
}

StretchContext Grown(int width, int height, DividerShare share = {381, 762}) {
    return {
        AtMinimum(Entry(kIdSourceList)), AtMinimum(Entry(kIdResultList)), {width, height}, share};
}

::testing::AssertionResult Is(const ListRect& r, int x, int y, int width, int height) {
    if (r.x == x && r.y == y && r.width == width && r.height == height) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << r.x << ", " << r.y << ", " << r.width << " x " << r.height;
}

} // namespace

TEST(WindowStretch, leavesEveryControlOfTheTemplateWhereItStandsAtTheLeastSize) {
    for (const LayoutEntry& entry : MainWindowLayout()) {
        const ListRect r = AtMinimum(entry);
        EXPECT_TRUE(Is(StretchedRect(FollowOf(entry), r, Grown(0, 0)), r.x, r.y, r.width, r.height))
            << entry.id << " " << entry.caption;
    }
}

TEST(WindowStretch, givesTheListsTheRoomWonAndMovesWhatIsRightOfAndBelowThem) {
    const StretchContext grown = Grown(525, 214);
    const auto place = [&](int id) {
        return StretchedRect(FollowOf(Entry(id)), AtMinimum(Entry(id)), grown);
    };
    // 381 + 381 pixels become 1287 shared half and half (643.5 rounds up), 4 pixels apart.
    EXPECT_TRUE(Is(place(kIdSourceList), 5, 54, 644, 596 + 214));
    EXPECT_TRUE(Is(place(kIdResultList), 653, 54, 643, 596 + 214));
    EXPECT_TRUE(Is(place(kYearWesternRadio), 783 + 525, 116, 81, 15));
    EXPECT_TRUE(Is(place(kFileAllRadio), 782 + 525, 657, 84, 15)) << "below the lists' bottom";
    EXPECT_TRUE(Is(place(kIdResetOptions), 674, 657 + 214, 96, 21));
    EXPECT_TRUE(Is(place(kIdHelp), 698 + 525, 6, 84, 21));
    EXPECT_TRUE(Is(place(kIdStep4), 390 + 263, 5, 138, 21)) << "above the result list";
    EXPECT_TRUE(Is(place(kIdSourceFolder), 147, 5, 239 + 263, 21));
    EXPECT_TRUE(Is(place(kIdDestinationFolder), 531 + 263, 30, 338 + 525 - 263, 21));
    EXPECT_TRUE(Is(place(kIdStep1), 6, 5, 138, 21));
}

TEST(WindowStretch, keepsTheDividersShareAndNeverSqueezesAListPastADividerStep) {
    // Five steps to the right at the least size, then twice the width.
    EXPECT_EQ(SourceWidthFor({406, 762}, 762), 406);
    EXPECT_EQ(SourceWidthFor({406, 762}, 1524), 812);
    EXPECT_EQ(SourceWidthFor({95, 762}, 1524), 190);
    // A list left at 95 pixels in a large window stays 95 in the least one.
    EXPECT_EQ(SourceWidthFor({1429, 1524}, 762), 762 - 95);
    EXPECT_EQ(SourceWidthFor({95, 1524}, 762), 95);
}

TEST(LayoutScale, scalesWhatTheToolkitLeavesAndNeverShrinks) {
    EXPECT_EQ(LayoutScale(1.0, 1.0), 1.0);
    EXPECT_EQ(LayoutScale(2.0, 2.0), 1.0) << "GTK's logical pixels are already doubled";
    EXPECT_EQ(LayoutScale(2.0, 1.0), 2.0);
    EXPECT_EQ(LayoutScale(1.5, 1.0), 1.5);
    EXPECT_EQ(LayoutScale(0.75, 1.0), 1.0);
    EXPECT_EQ(LayoutScale(0.0, 0.0), 1.0);
    // At 2 the window is exactly twice its 96-DPI size, and so is every text.
    EXPECT_EQ(DialogUnitsToPixels(kMainWindowWidth, 2.0), 1750);
    EXPECT_EQ(DialogUnitsToPixels(kMainWindowHeight, 2.0), 1372);
    EXPECT_EQ(DialogUnitsToPixels(kMainWindowWidth, 1.5), 1313);
    EXPECT_EQ(TextPixelHeight(16, 2.0), 32);
    EXPECT_EQ(TextPixelHeight(10, 1.0), kSmallestTextHeight);
    EXPECT_EQ(TextPixelHeight(8, 2.0), 22);
}
