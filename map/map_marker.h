#pragma once

#include "catalogue/qel_image.h"

namespace cv {
class Mat;
}

// The marker of the static map service's "color:green|label:A": a green pin whose point stands
// on the position, with a black A in its head.
inline constexpr std::uint8_t kMarkerGreen[3] = {40, 190, 0}; // blue, green, red

// The box the marker covers when its point is at (x, y).
ImageBox MarkerBox(int x, int y);
void DrawMarker(cv::Mat& picture, int x, int y);
