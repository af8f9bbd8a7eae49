#include "geocode/place_index.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace {

double Kilometres(const GeoPoint& a, const GeoPoint& b) {
    constexpr double kRadians = std::numbers::pi / 180.0;
    const double dLatitude = (b.latitude - a.latitude) * kRadians;
    const double dLongitude = (b.longitude - a.longitude) * kRadians;
    const double h = std::pow(std::sin(dLatitude / 2), 2) +
                     std::cos(a.latitude * kRadians) * std::cos(b.latitude * kRadians) *
                         std::pow(std::sin(dLongitude / 2), 2);
    return 2 * std::asin(std::sqrt(h)) * 6371.0088;
}

} // namespace

TEST(PlaceIndex, findsTheNearestPointAcrossTheDateLineAndOverThePole) {
    const PlaceIndex index({{0.0, 179.9}, {0.0, 170.0}, {89.5, 0.0}, {80.0, 180.0}, {-10.0, 0.0}});
    auto nearest = index.nearest(0.0, -179.9);
    ASSERT_TRUE(nearest);
    EXPECT_EQ(nearest->index, 0u);
    EXPECT_NEAR(nearest->kilometres, 22.24, 0.01);

    nearest = index.nearest(89.5, 180.0);
    ASSERT_TRUE(nearest);
    EXPECT_EQ(nearest->index, 2u) << "one degree over the pole, not 9.5 degrees along a meridian";
    EXPECT_NEAR(nearest->kilometres, 111.19, 0.01);
}

TEST(PlaceIndex, agreesWithAFullSearchOverRandomPoints) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> latitude(-90.0, 90.0);
    std::uniform_real_distribution<double> longitude(-180.0, 180.0);
    std::vector<GeoPoint> points;
    for (int i = 0; i < 3000; ++i) {
        points.push_back({latitude(random), longitude(random)});
    }
    // Clustered and repeated points, as the places of a country are.
    for (int i = 0; i < 500; ++i) {
        points.push_back({35.0 + i % 7 * 0.01, 135.0 + i % 5 * 0.01});
    }
    const PlaceIndex index(points);
    for (int i = 0; i < 2000; ++i) {
        const GeoPoint target = i % 2 == 0 ? GeoPoint{latitude(random), longitude(random)}
                                           : GeoPoint{35.0 + (i % 11) * 0.007, 135.02};
        double best = INFINITY;
        for (const GeoPoint& point : points) {
            best = std::min(best, Kilometres(target, point));
        }
        const auto nearest = index.nearest(target.latitude, target.longitude);
        ASSERT_TRUE(nearest);
        ASSERT_LT(nearest->index, points.size());
        EXPECT_NEAR(Kilometres(target, points[nearest->index]), best, 1e-6) << i;
        EXPECT_NEAR(nearest->kilometres, best, 1e-6) << i;
    }
}

TEST(PlaceIndex, findsNothingInAnEmptyIndexOrForAPositionThatIsNoNumber) {
    EXPECT_FALSE(PlaceIndex({}).nearest(35.0, 135.0));
    const PlaceIndex one({{35.0, 135.0}});
    EXPECT_FALSE(one.nearest(NAN, 135.0));
    EXPECT_FALSE(one.nearest(35.0, -INFINITY));
    ASSERT_TRUE(one.nearest(-35.0, -45.0));
    EXPECT_EQ(one.nearest(-35.0, -45.0)->index, 0u);
}
