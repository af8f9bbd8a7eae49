#include "geocode/builtin_data.h"
#include "image/pixels_mat.h"
#include "map/map_marker.h"
#include "map/map_projection.h"
#include "map/municipal_borders.h"
#include "map/offline_map.h"
#include "map/state_outlines.h"
#include "map/state_raster.h"

#include <gtest/gtest.h>
#include <opencv2/core.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

// Read by LeakSanitizer when it runs: fontconfig keeps its configuration and font caches until the
// process ends and never frees them. A leak of our own code is still reported.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libexpat.so\n";
}

namespace {

constexpr PixelSize kViewSize{400, 400};
// Kyoto, by the Kamo river.
constexpr double kKyotoLatitude = 35.0116;
constexpr double kKyotoLongitude = 135.7681;

cv::Vec3b Colour(const std::uint8_t (&bgr)[3]) {
    return cv::Vec3b(bgr[0], bgr[1], bgr[2]);
}

cv::Vec3b PixelAt(const OfflineMap& map, int x, int y) {
    return MatOf(*map.pixels).at<cv::Vec3b>(y, x);
}

::testing::AssertionResult Near(const cv::Vec3b& shown, const cv::Vec3b& expected,
                                int tolerance = 24) {
    for (int c = 0; c < 3; ++c) {
        if (std::abs(shown[c] - expected[c]) > tolerance) {
            return ::testing::AssertionFailure()
                   << "shown " << shown << ", expected " << expected << " (blue, green, red)";
        }
    }
    return ::testing::AssertionSuccess();
}

// The ground at a point: the colour most of the pixels around it have, whatever line or label
// passes there.
cv::Vec3b Ground(const OfflineMap& map, MapPoint point) {
    std::vector<std::pair<cv::Vec3b, int>> seen;
    for (int dy = -4; dy <= 4; ++dy) {
        for (int dx = -4; dx <= 4; ++dx) {
            const cv::Vec3b pixel =
                PixelAt(map, static_cast<int>(point.x) + dx, static_cast<int>(point.y) + dy);
            auto found = std::find_if(seen.begin(), seen.end(),
                                      [&](const auto& entry) { return entry.first == pixel; });
            if (found == seen.end()) {
                seen.emplace_back(pixel, 1);
            } else {
                ++found->second;
            }
        }
    }
    return std::max_element(seen.begin(), seen.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
}

int Count(const OfflineMap& map, const cv::Vec3b& colour) {
    const cv::Mat picture = MatOf(*map.pixels);
    int count = 0;
    for (int y = 0; y < picture.rows; ++y) {
        for (int x = 0; x < picture.cols; ++x) {
            count += picture.at<cv::Vec3b>(y, x) == colour ? 1 : 0;
        }
    }
    return count;
}

OfflineMap Draw(double latitude, double longitude, PixelSize size = kViewSize) {
    OfflineMap map;
    EXPECT_EQ(DrawOfflineMap(latitude, longitude, size, map), kOfflineMapDrawn)
        << latitude << ", " << longitude;
    return map;
}

MapPoint Where(const GeoPoint& middle, const GeoPoint& position) {
    return MapProjection(middle.latitude, middle.longitude, kViewSize, kOfflineMapMetresPerPixel)
        .project(position);
}

// The marker's head stands above the middle, where the position is.
::testing::AssertionResult MarkerInTheMiddle(const OfflineMap& map) {
    const int x = map.pixels->width / 2;
    const int y = map.pixels->height / 2;
    for (const cv::Point offset : {cv::Point(0, -4), cv::Point(0, -12), cv::Point(-7, -23)}) {
        const cv::Vec3b shown = PixelAt(map, x + offset.x, y + offset.y);
        if (!Near(shown, Colour(kMarkerGreen), 8)) {
            return ::testing::AssertionFailure() << offset << " from the middle: " << shown;
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult LabelsApart(const OfflineMap& map) {
    for (std::size_t i = 0; i < map.labels.size(); ++i) {
        const ImageBox& a = map.labels[i].box;
        if (a.left < 0 || a.top < 0 || a.right > map.pixels->width ||
            a.bottom > map.pixels->height) {
            return ::testing::AssertionFailure() << map.labels[i].text << " leaves the picture";
        }
        for (std::size_t k = i + 1; k < map.labels.size(); ++k) {
            const ImageBox& b = map.labels[k].box;
            if (a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom) {
                return ::testing::AssertionFailure()
                       << map.labels[i].text << " overlaps " << map.labels[k].text;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

const MapLabel* Label(const OfflineMap& map, const std::string& text) {
    for (const MapLabel& label : map.labels) {
        if (label.text == text) {
            return &label;
        }
    }
    return nullptr;
}

} // namespace

TEST(OfflineMap, shadesKyotoPrefectureMarksTheMiddleAndNamesKyoto) {
    const OfflineMap map = Draw(kKyotoLatitude, kKyotoLongitude);
    ASSERT_NE(map.pixels, nullptr);
    EXPECT_EQ(map.pixels->width, 400);
    EXPECT_EQ(map.pixels->height, 400);
    EXPECT_EQ(map.shadedState, "京都府");
    const GeoPoint middle{kKyotoLatitude, kKyotoLongitude};
    const auto at = [&](double latitude, double longitude) {
        return Ground(map, Where(middle, {latitude, longitude}));
    };
    EXPECT_EQ(at(35.10, 135.55), Colour(kOfflineMapShaded)) << "west of Kameoka, Kyoto";
    EXPECT_EQ(at(35.40, 135.40), Colour(kOfflineMapShaded)) << "Ayabe, Kyoto";
    // Natural Earth's polygons hold lakes as land.
    EXPECT_EQ(at(35.25, 136.08), Colour(kOfflineMapLand)) << "Lake Biwa, Shiga";
    EXPECT_EQ(at(34.85, 135.42), Colour(kOfflineMapLand)) << "Osaka";
    EXPECT_EQ(at(34.50, 135.20), Colour(kOfflineMapSea)) << "Osaka Bay";
    EXPECT_TRUE(MarkerInTheMiddle(map));

    // Kyoto's dot lies under the marker's point; its name stands close by, drawn in dark text.
    const MapLabel* kyoto = Label(map, "京都市");
    ASSERT_NE(kyoto, nullptr);
    EXPECT_LT(std::abs((kyoto->box.left + kyoto->box.right) / 2 - 200), 40);
    EXPECT_LT(std::abs((kyoto->box.top + kyoto->box.bottom) / 2 - 200), 40);
    int dark = 0;
    for (int y = kyoto->box.top; y < kyoto->box.bottom; ++y) {
        for (int x = kyoto->box.left; x < kyoto->box.right; ++x) {
            const cv::Vec3b pixel = PixelAt(map, x, y);
            dark += pixel[0] < 80 && pixel[1] < 80 && pixel[2] < 80 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 40) << "the glyphs of 京都市";
    // Osaka, the largest place in sight, stands where it lies: 42.8 km away at 500 m a pixel.
    const MapLabel* osaka = Label(map, "大阪市");
    ASSERT_NE(osaka, nullptr);
    const MapPoint osakaAt = Where(middle, {34.69374, 135.50218});
    EXPECT_NEAR(std::hypot(osakaAt.x - 200.0, osakaAt.y - 200.0), 42800.0 / 500.0, 1.0);
    EXPECT_LT(std::abs(osaka->box.top - osakaAt.y), 20);
    EXPECT_TRUE(LabelsApart(map));
    EXPECT_GT(map.labels.size(), 10u);
}

// In Japan the map names the photo's municipality, with its ward in a designated city, and
// credits the ministry whose borders it draws; out at sea it does neither.
TEST(OfflineMap, namesThePhotosMunicipalityAndCreditsTheMinistry) {
    const OfflineMap kyoto = Draw(kKyotoLatitude, kKyotoLongitude);
    EXPECT_EQ(kyoto.municipality, "京都市中京区");
    EXPECT_NE(Label(kyoto, "京都市中京区"), nullptr);
    EXPECT_EQ(Draw(43.5884, 142.4672).municipality, "美瑛町");
    const OfflineMap ocean = Draw(0.5, -140.0);
    EXPECT_EQ(ocean.municipality, "");
    // The credit line along the top right corner.
    const auto inked = [](const OfflineMap& map) {
        int count = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 200; x < 400; ++x) {
                const cv::Vec3b pixel = PixelAt(map, x, y);
                count += pixel[0] < 150 && pixel[1] < 150 && pixel[2] < 150;
            }
        }
        return count;
    };
    EXPECT_GT(inked(kyoto), 50);
    EXPECT_EQ(inked(ocean), 0);
}

// On a blank picture around Yokohama: the border of 新宿区 and 渋谷区 is drawn; Kamakura's coast,
// which Natural Earth's polygons draw, and the inside of a municipality are not.
TEST(MunicipalBorders, drawsBordersBetweenMunicipalitiesButNotTheCoast) {
    const BuiltinData& data = builtinData();
    ASSERT_NE(data.japan(), nullptr);
    const StateOutlines outlines(data.japan()->rings, data.japan()->points);
    const GeoPoint middle{35.45, 139.60};
    const MapProjection projection(middle.latitude, middle.longitude, kViewSize,
                                   kOfflineMapMetresPerPixel);
    const std::vector<OutlinePiece> pieces = outlines.near(projection, projection.cornerAngle());
    const StateRaster raster(pieces, *data.japanGrid(), projection);
    cv::Mat picture(kViewSize.height, kViewSize.width, CV_8UC3, cv::Scalar(255, 255, 255));
    DrawMunicipalBorders(picture, pieces, raster, *data.japan());
    const auto drawnNear = [&](const GeoPoint& position, int radius) {
        const MapPoint at = Where(middle, position);
        for (int dy = -radius; dy <= radius; ++dy) {
            for (int dx = -radius; dx <= radius; ++dx) {
                if (picture.at<cv::Vec3b>(static_cast<int>(at.y) + dy,
                                          static_cast<int>(at.x) + dx) !=
                    cv::Vec3b(255, 255, 255)) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(drawnNear({35.68412, 139.69135}, 1)) << "新宿区 and 渋谷区";
    EXPECT_FALSE(drawnNear({35.30182, 139.52583}, 2)) << "Shichirigahama, 2.4 km from a border";
    EXPECT_FALSE(drawnNear({35.60, 139.20}, 2)) << "相模原市緑区, 3 km from its borders";
}

TEST(OfflineMap, drawsTheCoastAndTheMarkerAtSea) {
    // 60 km off the Bōsō peninsula: the coast in the north of the picture.
    const OfflineMap map = Draw(34.40, 140.30);
    EXPECT_EQ(map.shadedState, "");
    EXPECT_EQ(PixelAt(map, 200, 250), Colour(kOfflineMapSea));
    EXPECT_GT(Count(map, Colour(kOfflineMapLand)), 2000);
    EXPECT_GT(Count(map, Colour(kOfflineMapSea)), 80000);
    EXPECT_TRUE(MarkerInTheMiddle(map));
    EXPECT_TRUE(LabelsApart(map));

    // Mid-Pacific: nothing but sea, the marker, the scale and the credits.
    const OfflineMap ocean = Draw(0.5, -140.0);
    EXPECT_TRUE(ocean.labels.empty());
    EXPECT_EQ(Count(ocean, Colour(kOfflineMapLand)), 0);
    EXPECT_GT(Count(ocean, Colour(kOfflineMapSea)), 150000);
    EXPECT_TRUE(MarkerInTheMiddle(ocean));
}

TEST(OfflineMap, joinsFijiAcrossThe180thMeridianWithoutASeam) {
    // Taveuni, which the meridian crosses; Natural Earth cuts its polygon there.
    const OfflineMap east = Draw(-16.80, 180.0);
    const OfflineMap west = Draw(-16.80, -180.0);
    ASSERT_NE(east.pixels, nullptr);
    ASSERT_NE(west.pixels, nullptr);
    EXPECT_EQ(east.pixels->bytes, west.pixels->bytes) << "one place, one map";
    EXPECT_EQ(east.shadedState, "北部地域");
    EXPECT_TRUE(MarkerInTheMiddle(east));
    // The island runs across the middle column, shaded on both sides and on the seam itself.
    int across = 0;
    for (int y = 200; y < 260; ++y) {
        const cv::Vec3b shaded = Colour(kOfflineMapShaded);
        if (PixelAt(east, 196, y) == shaded && PixelAt(east, 204, y) == shaded) {
            ++across;
            for (int x = 196; x <= 204; ++x) {
                ASSERT_EQ(PixelAt(east, x, y), shaded) << x << ", " << y;
            }
        }
    }
    EXPECT_GT(across, 5);
}

TEST(OfflineMap, drawsThePolesAsTheyLie) {
    // The Arctic Ocean, the north pole at the marker.
    const OfflineMap north = Draw(90.0, 0.0);
    EXPECT_EQ(north.shadedState, "");
    EXPECT_EQ(Count(north, Colour(kOfflineMapLand)), 0);
    EXPECT_GT(Count(north, Colour(kOfflineMapSea)), 150000);
    EXPECT_TRUE(MarkerInTheMiddle(north));
    // Antarctica all round the south pole, whatever the longitude given.
    for (const double longitude : {0.0, 123.0, -180.0}) {
        const OfflineMap south = Draw(-90.0, longitude);
        EXPECT_EQ(south.shadedState, "南極大陸");
        EXPECT_GT(Count(south, Colour(kOfflineMapShaded)), 150000) << longitude;
        EXPECT_TRUE(MarkerInTheMiddle(south));
    }
    EXPECT_GT(Count(Draw(-89.9, 45.0), Colour(kOfflineMapShaded)), 150000);
}

TEST(OfflineMap, refusesPositionsOffTheEarthAndSizesOutOfRange) {
    OfflineMap map;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const auto& [latitude, longitude] : {std::pair{90.5, 0.0}, std::pair{0.0, -180.5},
                                              std::pair{nan, 135.0}, std::pair{35.0, nan}}) {
        EXPECT_EQ(DrawOfflineMap(latitude, longitude, kViewSize, map), kOfflineMapBadRequest);
        EXPECT_EQ(map.pixels, nullptr);
    }
    for (const PixelSize size :
         {PixelSize{0, 400}, PixelSize{400, -1}, PixelSize{kMaxOfflineMapSide + 1, 10}}) {
        EXPECT_EQ(DrawOfflineMap(35.0, 135.0, size, map), kOfflineMapBadRequest);
    }
    // Any size in range is drawn, however small.
    EXPECT_EQ(DrawOfflineMap(35.0, 135.0, PixelSize{1, 1}, map), kOfflineMapDrawn);
    EXPECT_EQ(DrawOfflineMap(35.0, 135.0, PixelSize{900, 40}, map), kOfflineMapDrawn);
    EXPECT_TRUE(LabelsApart(map));
}

// The walk along the rows against the grid's own look-up of every pixel: the two agree but for
// pixels that a border passes within a hair's breadth of.
TEST(StateRaster, agreesWithTheGridsLookUpPixelByPixel) {
    const BuiltinData& data = builtinData();
    ASSERT_NE(data.grid(), nullptr);
    const StateOutlines outlines(*data.polygons());
    for (const GeoPoint& middle :
         {GeoPoint{35.0, 135.77}, GeoPoint{33.95, 130.95}, GeoPoint{-16.8, 179.99},
          GeoPoint{49.0, -95.0}, GeoPoint{-89.5, 10.0}}) {
        const MapProjection projection(middle.latitude, middle.longitude, PixelSize{200, 150},
                                       kOfflineMapMetresPerPixel);
        const StateRaster raster(outlines.near(projection, projection.cornerAngle() + 0.002),
                                 *data.grid(), projection);
        EXPECT_EQ(raster.rowsLookedUp(), 0) << middle.latitude << ", " << middle.longitude;
        int differ = 0;
        for (int y = 0; y < 150; y += 3) {
            for (int x = 0; x < 200; x += 3) {
                const auto position = projection.position(MapPoint{x + 0.5, y + 0.5});
                ASSERT_TRUE(position);
                const auto found = data.grid()->find(position->latitude, position->longitude, 0.0);
                differ += raster.at(x, y) !=
                          (found ? static_cast<std::int32_t>(found->state) : StateRaster::kNoState);
            }
        }
        EXPECT_LE(differ, 1) << middle.latitude << ", " << middle.longitude;
    }
}
