#pragma once

#include "catalogue/qel_image.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The map the map view draws when no static map service answers, from the built-in geocoder's
// own data: land, sea and the borders of states and countries from Natural Earth's admin-1
// polygons, the position's state shaded, in Japan the municipal borders and the name of the
// position's municipality, GeoNames places with their names, the marker on the position in the
// middle, a scale and the credits (the ministry's too where its borders are drawn).

// 500 m a pixel: the map view's 400 pixels span 200 km, the scale at which the 1:10,000,000
// polygons still look smooth and a prefecture fits whole.
inline constexpr double kOfflineMapMetresPerPixel = 500.0;
inline constexpr int kMaxOfflineMapSide = 4096;

// The grounds, blue-green-red: sea, land, and the state that holds the position.
inline constexpr std::uint8_t kOfflineMapSea[3] = {223, 211, 170};
inline constexpr std::uint8_t kOfflineMapLand[3] = {233, 239, 242};
inline constexpr std::uint8_t kOfflineMapShaded[3] = {150, 222, 252};

inline constexpr int kOfflineMapDrawn = 0;
// The admin-1 polygons could not be read.
inline constexpr int kOfflineMapNoData = -1;
// A position off the earth or a size out of range.
inline constexpr int kOfflineMapBadRequest = -2;

struct MapLabel {
    std::string text;
    ImageBox box; // where the text stands, halo left out
};

struct OfflineMap {
    std::unique_ptr<ImagePixels> pixels; // blue-green-red
    std::string shadedState;             // in Japanese where Natural Earth has the name
    std::string municipality;            // in Japan: "京都市下京区", "美瑛町"
    std::vector<MapLabel> labels;        // the places and states named, in the order placed
};

// Draws the map of `size` around the position into `map`. The first call loads the built-in
// geocoder's data unless it is loaded (some tenths of a second); a map then takes some tens of
// milliseconds. Callable from any thread.
int DrawOfflineMap(double latitude, double longitude, PixelSize size, OfflineMap& map);
