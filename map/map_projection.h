#pragma once

#include "catalogue/qel_image.h"
#include "geocode/place_index.h"

#include <optional>

// A point of a map picture in pixels: x to the right, y down; pixel (i, j) covers [i, i + 1) x
// [j, j + 1).
struct MapPoint {
    double x = 0.0;
    double y = 0.0;
};

// A position on the earth as a unit vector from its centre.
struct EarthVector {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};
EarthVector EarthVectorOf(double latitude, double longitude);

// The earth seen from straight above a position, far away (an orthographic view): the position at
// the middle of a picture of `size`, north up, `metresPerPixel` there. Seen this way neither the
// poles nor the 180th meridian are anything special, and within a few hundred kilometres of the
// middle distances are true to a part in ten thousand.
class MapProjection {
public:
    MapProjection(double latitude, double longitude, PixelSize size, double metresPerPixel);

    // The cosine of the angle between the middle and `point` as seen from the earth's centre.
    double cosineFromMiddle(const EarthVector& point) const;
    // Where `point` lies in the picture; meaningful on the near half of the earth only.
    MapPoint project(const EarthVector& point) const;
    MapPoint project(const GeoPoint& position) const;
    // The position under a point of the picture; none beyond the edge of the earth.
    std::optional<GeoPoint> position(MapPoint point) const;

    GeoPoint middle() const { return middlePosition_; }
    PixelSize size() const { return size_; }
    double metresPerPixel() const { return metresPerPixel_; }
    // The angle from the middle to a corner of the picture, in radians.
    double cornerAngle() const;

private:
    GeoPoint middlePosition_;
    PixelSize size_;
    double metresPerPixel_;
    double pixelsPerRadian_;
    MapPoint middle_;
    EarthVector up_;
    EarthVector east_;
    EarthVector north_;
};

inline constexpr double kEarthRadiusMetres = 6371008.8;
