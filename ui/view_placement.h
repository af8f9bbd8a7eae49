#pragma once

// Where the image view and the map view open: beside the main window, never over it, where the
// screen has room for them; the image view as large as that room allows up to the size it asks
// for (never below its smallest), the map view below it. Where there is no such room, the main
// window goes to the screen's left edge and the views are stacked at its right edge, over as
// little of the main window as they can be.

struct WindowRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct ViewSizes {
    int imageWidth = 0; // the image view's client area as it asks for it
    int imageHeight = 0;
    int smallestImageWidth = 0; // and the least of it that still shows a photo
    int smallestImageHeight = 0;
    int frameWidth = 0; // a view's outer size less its client area
    int frameHeight = 0;
    int mapWidth = 0; // the map view's outer size
    int mapHeight = 0;
};

// Outer rectangles, in screen pixels.
struct ViewPlacement {
    WindowRect main;
    WindowRect image;
    WindowRect map;
};

// `main` is the main window as it stands (its size is kept); `workArea` the screen less its
// panels.
ViewPlacement PlaceViews(const WindowRect& workArea, const WindowRect& main,
                         const ViewSizes& sizes);
