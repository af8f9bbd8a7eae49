#include "map/map_projection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

double Dot(const EarthVector& a, const EarthVector& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

} // namespace

EarthVector EarthVectorOf(double latitude, double longitude) {
    const double phi = latitude * kRadiansPerDegree;
    const double lambda = longitude * kRadiansPerDegree;
    return {std::cos(phi) * std::cos(lambda), std::cos(phi) * std::sin(lambda), std::sin(phi)};
}

MapProjection::MapProjection(double latitude, double longitude, PixelSize size,
                             double metresPerPixel)
    : middlePosition_{latitude, longitude}, size_(size), metresPerPixel_(metresPerPixel),
      pixelsPerRadian_(kEarthRadiusMetres / metresPerPixel), middle_{size.width / 2.0,
                                                                     size.height / 2.0},
      up_(EarthVectorOf(latitude, longitude)) {
    // Built from the longitude as well as the latitude, so that at a pole north is still the way
    // along that meridian.
    const double phi = latitude * kRadiansPerDegree;
    const double lambda = longitude * kRadiansPerDegree;
    east_ = {-std::sin(lambda), std::cos(lambda), 0.0};
    north_ = {-std::sin(phi) * std::cos(lambda), -std::sin(phi) * std::sin(lambda), std::cos(phi)};
}

double MapProjection::cosineFromMiddle(const EarthVector& point) const {
    return Dot(point, up_);
}

MapPoint MapProjection::project(const EarthVector& point) const {
    return {middle_.x + Dot(point, east_) * pixelsPerRadian_,
            middle_.y - Dot(point, north_) * pixelsPerRadian_};
}

MapPoint MapProjection::project(const GeoPoint& position) const {
    return project(EarthVectorOf(position.latitude, position.longitude));
}

std::optional<GeoPoint> MapProjection::position(MapPoint point) const {
    const double e = (point.x - middle_.x) / pixelsPerRadian_;
    const double n = (middle_.y - point.y) / pixelsPerRadian_;
    const double outward = 1.0 - e * e - n * n;
    if (!(outward >= 0.0)) {
        return std::nullopt;
    }
    const double u = std::sqrt(outward);
    const double x = u * up_.x + e * east_.x + n * north_.x;
    const double y = u * up_.y + e * east_.y + n * north_.y;
    const double z = u * up_.z + e * east_.z + n * north_.z;
    return GeoPoint{std::asin(std::clamp(z, -1.0, 1.0)) / kRadiansPerDegree,
                    std::atan2(y, x) / kRadiansPerDegree};
}

double MapProjection::cornerAngle() const {
    return std::hypot(middle_.x, middle_.y) / pixelsPerRadian_;
}
