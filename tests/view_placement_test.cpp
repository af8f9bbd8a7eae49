#include "ui/view_placement.h"

#include <gtest/gtest.h>

namespace {

bool Overlap(const WindowRect& a, const WindowRect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

bool Inside(const WindowRect& area, const WindowRect& r) {
    return r.x >= area.x && r.y >= area.y && r.x + r.width <= area.x + area.width &&
           r.y + r.height <= area.y + area.height;
}

// The main window as it opens, centred; the views as they ask, in a window manager's frames.
constexpr ViewSizes kSizes{640, 480, 320, 240, 2, 37, 400, 400};

WindowRect Centred(const WindowRect& area, int width, int height) {
    return {area.x + (area.width - width) / 2, area.y + (area.height - height) / 2, width, height};
}

} // namespace

TEST(ViewPlacement, putsBothViewsBesideTheMainWindowOnAWideScreen) {
    const WindowRect screen{0, 27, 1920, 1053};
    const ViewPlacement placed = PlaceViews(screen, Centred(screen, 877, 723), kSizes);
    EXPECT_EQ(placed.image.width, 642) << "the photo 640 wide";
    EXPECT_EQ(placed.image.height, 517);
    EXPECT_EQ(placed.main.width, 877);
    EXPECT_EQ(placed.image.x, placed.main.x + placed.main.width);
    EXPECT_EQ(placed.map.y, placed.image.y + placed.image.height) << "stacked";
    for (const WindowRect& view : {placed.image, placed.map}) {
        EXPECT_FALSE(Overlap(view, placed.main));
        EXPECT_TRUE(Inside(screen, view));
    }
    EXPECT_TRUE(Inside(screen, placed.main));
    // The three together in the middle.
    EXPECT_NEAR(placed.main.x - screen.x, 1920 - (placed.image.x + placed.image.width), 1);
}

TEST(ViewPlacement, makesTheImageViewSmallerToStayClearOfTheMainWindowOnALaptop) {
    const WindowRect screen{0, 0, 1366, 768};
    const ViewPlacement placed =
        PlaceViews(screen, Centred(screen, 875, 686), {640, 480, 320, 240, 0, 0, 400, 400});
    EXPECT_EQ(placed.main.x, 0);
    EXPECT_EQ(placed.image.width, 491) << "all the room beside it";
    EXPECT_EQ(placed.image.height, 368) << "and above the map view";
    EXPECT_FALSE(Overlap(placed.image, placed.main));
    EXPECT_FALSE(Overlap(placed.map, placed.main));
    EXPECT_FALSE(Overlap(placed.map, placed.image));
    EXPECT_TRUE(Inside(screen, placed.map));
}

TEST(ViewPlacement, stacksTheViewsAtTheRightEdgeWhereNothingFitsBeside) {
    const WindowRect screen{0, 0, 1024, 600};
    const ViewPlacement placed = PlaceViews(screen, Centred(screen, 875, 686), kSizes);
    EXPECT_EQ(placed.main.x, 0);
    EXPECT_EQ(placed.image.width, 322) << "its smallest";
    EXPECT_EQ(placed.image.x + placed.image.width, 1024);
    EXPECT_EQ(placed.map.x + placed.map.width, 1024);
    EXPECT_EQ(placed.image.y, 0);
    EXPECT_EQ(placed.map.y, 200) << "at the bottom, over the image view's lower part";
}
