#include "geocode/state_grid.h"
#include "geocode/state_polygons.h"

#include "tests/data_file_bytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

using Ring = std::vector<GridPoint>;

// A state as scripts/derive-admin1.py writes it, its points in degrees times 1e4.
std::string State(const std::string& name, const std::vector<Ring>& rings) {
    std::string bytes = Text("JP") + Text("Japan") + Text("JP.99") + Text(name) + Text("x");
    bytes += Number(rings.size());
    for (const Ring& ring : rings) {
        bytes += Number(ring.size());
        GridPoint previous;
        for (const GridPoint& point : ring) {
            bytes += Signed(point.longitude - previous.longitude);
            bytes += Signed(point.latitude - previous.latitude);
            previous = point;
        }
    }
    return bytes;
}

std::string File(const std::vector<std::string>& states) {
    std::string bytes = "TSADMIN1" + Number(states.size());
    for (const std::string& state : states) {
        bytes += state;
    }
    return bytes;
}

Ring Square(std::int32_t west, std::int32_t south, std::int32_t east, std::int32_t north) {
    return {{west, south}, {east, south}, {east, north}, {west, north}};
}

} // namespace

TEST(StatePolygons, readsWhatTheScriptWritesAndRepeatsEachRingsFirstPoint) {
    const auto polygons = readStatePolygons(File({State("東京都", {Square(0, 0, 100, 100)})}));
    ASSERT_TRUE(polygons);
    ASSERT_EQ(polygons->states.size(), 1u);
    EXPECT_EQ(polygons->states[0].japaneseName, "東京都");
    EXPECT_EQ(polygons->states[0].geonamesCode, "JP.99");
    ASSERT_EQ(polygons->rings.size(), 1u);
    EXPECT_EQ(polygons->rings[0].end - polygons->rings[0].begin, 5u);
    EXPECT_EQ(polygons->points.back(), (GridPoint{0, 0}));
}

// A data file that is not exactly what the script wrote is refused whole.
TEST(StatePolygons, refusesAFileWithAFaultOfStructure) {
    const std::string good = File({State("a", {Square(0, 0, 100, 100)})});
    std::vector<std::string> bad = {
        "",
        "TSADMIN2" + good.substr(8),
        good.substr(0, good.size() - 1),
        good + "x",
        "TSADMIN1" + Number(1'000'000) + good.substr(9),
        File({State("a", {{{0, 0}, {1, 1}}})}),              // a ring of two points
        File({State("a", {Square(0, 0, 100, 1'000'000)})}),  // north of the pole
        File({State("a", {Square(-1'800'001, 0, 0, 100)})}), // west of 180°W
        File({State("a", {})}),                              // a state without rings
        std::string("TSADMIN1\x80\x00",
                    10), // no state at all, written long: the fuzzer's first find
        "TSADMIN1" + Number(1) + Text("JP") + "\xff\xff\xff\xff\xff\x01", // a number over 32 bits
    };
    // A ring that claims more points than the bytes left could hold.
    bad.push_back("TSADMIN1" + Number(1) + Text("JP") + Text("") + Text("") + Text("") + Text("") +
                  Number(1) + Number(1000) + std::string(30, '\0'));
    for (std::size_t i = 0; i < bad.size(); ++i) {
        EXPECT_FALSE(readStatePolygons(bad[i])) << i;
    }
}

// Two states side by side, the western one with a hole that holds an island of the eastern one,
// on a scale far below a cell of the grid: the positions around every edge are named right.
TEST(StateGrid, namesTheStateThatHoldsAPositionAcrossBordersHolesAndIslands) {
    const auto polygons = readStatePolygons(File({
        State("west", {Square(1000, 1000, 2000, 2000), Square(1200, 1200, 1400, 1400)}),
        State("east", {Square(2000, 1000, 3000, 2000), Square(1250, 1250, 1350, 1350)}),
    }));
    ASSERT_TRUE(polygons);
    const StateGrid grid(*polygons);
    const auto state = [&](double latitude, double longitude) -> std::string {
        const auto found = grid.find(latitude / 1e4, longitude / 1e4, 0.0);
        return found ? polygons->states[found->state].japaneseName : "none";
    };
    EXPECT_EQ(state(1500, 1500), "west");
    EXPECT_EQ(state(1500, 1999), "west");
    EXPECT_EQ(state(1500, 2001), "east");
    EXPECT_EQ(state(1300, 1220), "none") << "in the hole";
    EXPECT_EQ(state(1300, 1300), "east") << "on the island in the hole";
    EXPECT_EQ(state(1500, 3001), "none");
    EXPECT_EQ(state(999, 1500), "none");
}

// A star of 400 points spread over some thirty cells, and a hole in it that is a star too,
// against a plain ray test over all its edges.
TEST(StateGrid, agreesWithARayTestOverEveryEdgeAtRandomPositions) {
    std::mt19937 random(21);
    std::uniform_real_distribution<double> radius(0.2, 1.0);
    const auto star = [&](double centreLongitude, double centreLatitude, double scale) {
        Ring ring;
        for (int i = 0; i < 400; ++i) {
            const double angle = 2 * std::numbers::pi * i / 400;
            const double r = radius(random) * scale;
            ring.push_back(
                {static_cast<std::int32_t>((centreLongitude + r * std::cos(angle)) * 1e4),
                 static_cast<std::int32_t>((centreLatitude + r * std::sin(angle)) * 1e4)});
        }
        return ring;
    };
    const std::vector<Ring> rings = {star(135.0, 35.0, 1.0), star(135.05, 35.02, 0.15)};
    const auto polygons = readStatePolygons(File({State("star", rings)}));
    ASSERT_TRUE(polygons);
    const StateGrid grid(*polygons);
    const auto inside = [&](double x, double y) {
        bool odd = false;
        for (const Ring& ring : rings) {
            for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
                const double xi = ring[i].longitude, yi = ring[i].latitude;
                const double xj = ring[j].longitude, yj = ring[j].latitude;
                if ((yi > y) != (yj > y) && x < xi + (y - yi) * (xj - xi) / (yj - yi)) {
                    odd = !odd;
                }
            }
        }
        return odd;
    };
    std::uniform_real_distribution<double> longitude(133.9, 136.1);
    std::uniform_real_distribution<double> latitude(33.9, 36.1);
    int insideCount = 0;
    for (int i = 0; i < 20000; ++i) {
        const double x = longitude(random);
        const double y = latitude(random);
        const bool expected = inside(x * 1e4, y * 1e4);
        insideCount += expected;
        ASSERT_EQ(grid.find(y, x, 0.0).has_value(), expected) << y << "," << x;
    }
    EXPECT_GT(insideCount, 3000);
}

TEST(StateGrid, takesTheNearestStateWithinTheDistanceForAPositionOutsideEvery) {
    const auto polygons = readStatePolygons(File({State("島", {Square(0, 0, 100, 100)})}));
    ASSERT_TRUE(polygons);
    const StateGrid grid(*polygons);
    // 0.01 degree south of the square's edge: 1.1 km.
    const auto near = grid.find(-0.01, 0.005, 5.0);
    ASSERT_TRUE(near);
    EXPECT_NEAR(near->kilometres, 1.11, 0.01);
    EXPECT_FALSE(grid.find(-0.01, 0.005, 1.0));
    EXPECT_FALSE(grid.find(std::numeric_limits<double>::quiet_NaN(), 0.0, 5.0));
    EXPECT_FALSE(grid.find(91.0, 0.0, 5.0));
}

// Japan's municipalities have a grid of their own: it finds nothing outside its extent, and
// polygons out of it or in its northmost row, where the walk starts, leave it unusable.
TEST(StateGrid, findsOnlyInsideItsExtentAndRefusesPolygonsBeyondIt) {
    const GridExtent extent{0, 0, 10, 10, 500};
    const auto inside = readStatePolygons(File({State("a", {Square(1000, 1000, 2000, 2000)})}));
    ASSERT_TRUE(inside);
    const StateGrid grid(inside->rings, inside->points, extent);
    ASSERT_TRUE(grid.usable());
    EXPECT_TRUE(grid.find(0.15, 0.15, 0.0));
    EXPECT_FALSE(grid.find(0.15, 0.55, 100.0)) << "east of the extent";
    for (const Ring& ring : {Square(1000, 1000, 6000, 2000), Square(1000, 1000, 2000, 4600)}) {
        const auto beyond = readStatePolygons(File({State("a", {ring})}));
        ASSERT_TRUE(beyond);
        EXPECT_FALSE(StateGrid(beyond->rings, beyond->points, extent).usable());
    }
}
