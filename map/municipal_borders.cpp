#include "map/municipal_borders.h"

#include <opencv2/imgproc.hpp>

#include <cmath>

namespace {

const cv::Scalar kMunicipalBorder(195, 180, 180); // blue, green, red
// Sub-pixel bits of the lines' coordinates.
constexpr int kShift = 4;
constexpr double kUnits = 1 << kShift;
// The sides a border is looked at from, in pixels.
constexpr double kSideStep = 1.5;

} // namespace

void DrawMunicipalBorders(cv::Mat& picture, const std::vector<OutlinePiece>& pieces,
                          const StateRaster& raster, const JapanMunicipalities& japan) {
    const auto at = [](MapPoint point) {
        return cv::Point(static_cast<int>(std::lround(point.x * kUnits)),
                         static_cast<int>(std::lround(point.y * kUnits)));
    };
    std::vector<std::vector<cv::Point>> lines;
    bool drawing = false;
    for (const OutlinePiece& piece : pieces) {
        const auto sides = raster.sides(piece, kSideStep);
        // The other municipality's ring runs the other way along a shared border.
        const bool border = sides && sides->left != StateRaster::kNoState &&
                            sides->right != StateRaster::kNoState && sides->left < sides->right &&
                            japan.municipalities[sides->left].prefecture ==
                                japan.municipalities[sides->right].prefecture;
        if (!border) {
            drawing = false;
            continue;
        }
        if (!drawing || !piece.joined) {
            lines.push_back({at(piece.from)});
        }
        lines.back().push_back(at(piece.to));
        drawing = true;
    }
    cv::polylines(picture, lines, false, kMunicipalBorder, 1, cv::LINE_AA, kShift);
}
