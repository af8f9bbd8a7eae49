#include "geocode/geocode_cache.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

namespace {

using Names = std::vector<std::string>;
const Names kKyoto = {"日本", "京都府", "京都市"};

void Execute(const std::string& file, const char* statement) {
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &database), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(database, statement, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(database);
}

} // namespace

TEST(GeocodeCache, keepsAnswersOnDiskByEndpointAndPositionToAboutTenMetres) {
    TempDir dir;
    const std::string file = dir.path() + "cache/tessaro/geocode.sqlite";
    {
        GeocodeCache cache(file);
        cache.store("https://a.example", 35.0036, 135.7681, kKyoto);
    }
    GeocodeCache cache(file);
    EXPECT_EQ(cache.find("https://a.example", 35.00362, 135.76808), kKyoto);
    EXPECT_FALSE(cache.find("https://a.example", 35.0038, 135.7681)) << "some 20 m north";
    EXPECT_FALSE(cache.find("nominatim:https://a.example", 35.0036, 135.7681));
}

TEST(GeocodeCache, staysWithinItsSizeAndForgetsOldAnswers) {
    TempDir dir;
    const std::string file = dir.path() + "geocode.sqlite";
    {
        GeocodeCache cache(file, {std::chrono::hours(24), 3});
        for (int i = 0; i < 5; ++i) {
            cache.store("e", 35.0 + i, 135.0, {std::to_string(i)});
        }
    }
    // From the oldest: 2 a day and a second old, then 0, 1, 3 and 4.
    Execute(file, "UPDATE answers SET stored = stored - 2 WHERE latitude = 350000;"
                  "UPDATE answers SET stored = stored - 1 WHERE latitude = 360000;"
                  "UPDATE answers SET stored = stored - 86401 WHERE latitude = 370000;");
    GeocodeCache cache(file, {std::chrono::hours(24), 3});
    EXPECT_FALSE(cache.find("e", 37.0, 135.0)) << "older than a day";
    EXPECT_FALSE(cache.find("e", 35.0, 135.0)) << "the oldest beyond three";
    EXPECT_EQ(cache.find("e", 36.0, 135.0), Names{"1"});
    EXPECT_EQ(cache.find("e", 38.0, 135.0), Names{"3"});
    EXPECT_EQ(cache.find("e", 39.0, 135.0), Names{"4"});
}

TEST(GeocodeCache, goesOnInMemoryWhenItsFileCannotBeHadAndReadsNoForeignRows) {
    TempDir dir;
    WriteFile(dir.path() + "file", "not a folder");
    GeocodeCache cache(dir.path() + "file/geocode.sqlite");
    cache.store("e", 35.0, 135.0, kKyoto);
    EXPECT_EQ(cache.find("e", 35.0, 135.0), kKyoto);

    const std::string file = dir.path() + "geocode.sqlite";
    GeocodeCache(file).store("e", 35.0, 135.0, kKyoto);
    Execute(file, "UPDATE answers SET components = '[\"a\", 3]'");
    EXPECT_FALSE(GeocodeCache(file).find("e", 35.0, 135.0));
}
