#include "geocode/japan_municipalities.h"

#include "tests/data_file_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

struct Town {
    std::uint32_t name;
    GridPoint point;
};

// A municipality as scripts/derive-japan.py writes it: one square ring, then its towns.
std::string Municipality(std::uint32_t prefecture, const std::string& city, const std::string& name,
                         const std::vector<Town>& towns) {
    std::string bytes = Number(prefecture) + Text(city) + Text(name) + Number(1) + Number(4);
    const std::int64_t square[] = {1'350'000, 350'000, 100, 0, 0, 100, -100, 0};
    for (const std::int64_t delta : square) {
        bytes += Signed(delta);
    }
    bytes += Number(towns.size());
    GridPoint previous;
    for (const Town& town : towns) {
        bytes += Number(town.name) + Signed(town.point.longitude - previous.longitude) +
                 Signed(town.point.latitude - previous.latitude);
        previous = town.point;
    }
    return bytes;
}

std::string File(const std::vector<std::string>& municipalities) {
    std::string bytes = "TSJAPAN1" + Number(1) + Text("京都府") + Number(2) + Text("清水一丁目") +
                        Text("祇園町") + Number(municipalities.size());
    for (const std::string& municipality : municipalities) {
        bytes += municipality;
    }
    return bytes;
}

const std::vector<Town> kTowns = {{0, {1'350'010, 350'010}}, {1, {1'350'050, 350'060}}};

} // namespace

TEST(JapanMunicipalities, readsWhatTheScriptWritesWithEachMunicipalitysTowns) {
    const auto japan = readJapanMunicipalities(
        File({Municipality(0, "京都市", "東山区", kTowns), Municipality(0, "", "美瑛町", {})}));
    ASSERT_TRUE(japan);
    ASSERT_EQ(japan->municipalities.size(), 2u);
    EXPECT_EQ(japan->municipalities[0].city, "京都市");
    EXPECT_EQ(japan->municipalities[0].name, "東山区");
    EXPECT_EQ(japan->municipalities[1].townBegin, 2u);
    EXPECT_EQ(japan->municipalities[1].townEnd, 2u);
    EXPECT_EQ(japan->townNames[japan->towns[1].name], "祇園町");
    EXPECT_EQ(japan->towns[1].point, (GridPoint{1'350'050, 350'060}));
    ASSERT_EQ(japan->rings.size(), 2u);
    EXPECT_EQ(japan->rings[1].state, 1u);
    EXPECT_FALSE(nearestTown(*japan, 1, 1'350'050, 350'050)) << "a municipality without towns";
}

// A data file that is not exactly what the script wrote is refused whole.
TEST(JapanMunicipalities, refusesAFileWithAFaultOfStructure) {
    const std::string good = File({Municipality(0, "", "a", kTowns)});
    const std::vector<std::string> bad = {
        "",
        "TSJAPAN2" + good.substr(8),
        good.substr(0, good.size() - 1),
        good + "x",
        File({}),                                                 // no municipality
        File({Municipality(1, "", "a", kTowns)}),                 // a prefecture not in the table
        File({Municipality(0, "", "a", {{2, {0, 0}}})}),          // a town name not in the table
        File({Municipality(0, "", "a", {kTowns[1], kTowns[0]})}), // towns out of their order
        File({Municipality(0, "", "a", {{0, {0, 1'000'000}}})}),  // a town north of the pole
    };
    for (std::size_t i = 0; i < bad.size(); ++i) {
        EXPECT_FALSE(readJapanMunicipalities(bad[i])) << i;
    }
}

// Against a plain search over all towns, at positions around 500 towns at random.
TEST(JapanMunicipalities, findsTheNearestTownOfAMunicipality) {
    std::mt19937 random(28);
    std::uniform_int_distribution<std::int32_t> offset(0, 2000);
    std::vector<Town> towns;
    for (int i = 0; i < 500; ++i) {
        towns.push_back({0, {1'350'000 + offset(random), 350'000 + offset(random)}});
    }
    std::sort(towns.begin(), towns.end(),
              [](const Town& a, const Town& b) { return a.point.latitude < b.point.latitude; });
    const auto japan = readJapanMunicipalities(File({Municipality(0, "", "a", towns)}));
    ASSERT_TRUE(japan);
    const auto squared = [](const GridPoint& point, double x, double y) {
        const double xScale = std::cos(y / 1e4 * std::numbers::pi / 180.0);
        return std::pow((point.longitude - x) * xScale, 2) + std::pow(point.latitude - y, 2);
    };
    std::uniform_real_distribution<double> position(-200.0, 2200.0);
    for (int i = 0; i < 2000; ++i) {
        const double x = 1'350'000 + position(random);
        const double y = 350'000 + position(random);
        const auto found = nearestTown(*japan, 0, x, y);
        ASSERT_TRUE(found);
        double best = INFINITY;
        for (const Town& town : towns) {
            best = std::min(best, squared(town.point, x, y));
        }
        ASSERT_DOUBLE_EQ(squared(japan->towns[*found].point, x, y), best) << x << "," << y;
    }
}
