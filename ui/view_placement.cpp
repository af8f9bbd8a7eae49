#include "ui/view_placement.h"

#include <algorithm>

namespace {

int Bottom(const WindowRect& area) {
    return area.y + area.height;
}

int Right(const WindowRect& area) {
    return area.x + area.width;
}

// The image view's outer size: the client size it asks for, made smaller (keeping its shape)
// until it fits `width` x `height` outside, but never below its smallest.
WindowRect ImageViewFitting(const ViewSizes& sizes, int width, int height) {
    const int wide = std::max(1, sizes.imageWidth);
    const int tall = std::max(1, sizes.imageHeight);
    int clientWidth = std::min(wide, width - sizes.frameWidth);
    int clientHeight = clientWidth * tall / wide;
    if (clientHeight > height - sizes.frameHeight) {
        clientHeight = height - sizes.frameHeight;
        clientWidth = clientHeight * wide / tall;
    }
    if (clientWidth < sizes.smallestImageWidth || clientHeight < sizes.smallestImageHeight) {
        clientWidth = sizes.smallestImageWidth;
        clientHeight = sizes.smallestImageHeight;
    }
    return {0, 0, clientWidth + sizes.frameWidth, clientHeight + sizes.frameHeight};
}

// The two views one above the other in the column at `x`, from `top` where they fit below it;
// on a screen too short for both, the map covers the image view's bottom, not the screen's.
void Stack(ViewPlacement& placed, int imageX, int mapX, int top, const WindowRect& workArea) {
    const int height = placed.image.height + placed.map.height;
    top = std::max(workArea.y, std::min(top, Bottom(workArea) - height));
    placed.image.x = imageX;
    placed.image.y = top;
    placed.map.x = mapX;
    placed.map.y = std::max(
        workArea.y, std::min(top + placed.image.height, Bottom(workArea) - placed.map.height));
}

} // namespace

ViewPlacement PlaceViews(const WindowRect& workArea, const WindowRect& main,
                         const ViewSizes& sizes) {
    ViewPlacement placed;
    placed.main = main;
    placed.map = {0, 0, sizes.mapWidth, sizes.mapHeight};
    const int room = workArea.width - main.width;
    const int smallestColumn =
        std::max(sizes.mapWidth, sizes.smallestImageWidth + sizes.frameWidth);
    if (room >= smallestColumn) {
        placed.image = ImageViewFitting(sizes, room, workArea.height - sizes.mapHeight);
        const int column = std::max(placed.image.width, placed.map.width);
        // The main window and the column of views, together in the middle of the screen.
        placed.main.x = workArea.x + (workArea.width - main.width - column) / 2;
        placed.main.y = workArea.y + std::max(0, (workArea.height - main.height) / 2);
        const int columnX = placed.main.x + main.width;
        Stack(placed, columnX, columnX, placed.main.y, workArea);
        return placed;
    }
    placed.image = {0, 0, sizes.smallestImageWidth + sizes.frameWidth,
                    sizes.smallestImageHeight + sizes.frameHeight};
    placed.main.x = workArea.x;
    Stack(placed, Right(workArea) - placed.image.width, Right(workArea) - placed.map.width,
          workArea.y, workArea);
    return placed;
}
