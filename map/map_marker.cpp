#include "map/map_marker.h"

#include "map/map_font.h"

#include <opencv2/imgproc.hpp>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

// The head's centre above the point, its radius, in pixels; sub-pixel units of the outline.
constexpr double kHeadAbove = 23.0;
constexpr double kHeadRadius = 10.0;
constexpr int kShift = 4;
constexpr double kUnits = 1 << kShift;
const cv::Scalar kOutline(0, 110, 0);

} // namespace

ImageBox MarkerBox(int x, int y) {
    const int half = static_cast<int>(std::ceil(kHeadRadius)) + 1;
    return ImageBox{x - half, y - static_cast<int>(std::ceil(kHeadAbove + kHeadRadius)) - 1,
                    x + half + 1, y + 1};
}

void DrawMarker(cv::Mat& picture, int x, int y) {
    // The sides run from the point to where they touch the head.
    const double touch = std::acos(kHeadRadius / kHeadAbove);
    std::vector<cv::Point> outline;
    outline.emplace_back(static_cast<int>(x * kUnits), static_cast<int>(y * kUnits));
    constexpr int kSteps = 40;
    for (int i = 0; i <= kSteps; ++i) {
        // Measured from straight down, round over the top.
        const double angle = touch + (2.0 * std::numbers::pi - 2.0 * touch) * i / kSteps;
        outline.emplace_back(
            static_cast<int>(std::lround((x + kHeadRadius * std::sin(angle)) * kUnits)),
            static_cast<int>(
                std::lround((y - kHeadAbove + kHeadRadius * std::cos(angle)) * kUnits)));
    }
    const cv::Scalar green(kMarkerGreen[0], kMarkerGreen[1], kMarkerGreen[2]);
    cv::fillPoly(picture, std::vector<std::vector<cv::Point>>{outline}, green, cv::LINE_AA, kShift);
    cv::polylines(picture, std::vector<std::vector<cv::Point>>{outline}, true, kOutline, 1,
                  cv::LINE_AA, kShift);
    if (const MapFont* font = MapFont::shared()) {
        TextStyle style;
        style.pixelHeight = 13;
        style.bold = true;
        const PixelSize size = font->measure("A", style);
        font->draw(picture, x - size.width / 2, y - static_cast<int>(kHeadAbove) - size.height / 2,
                   "A", style);
    }
}
