#pragma once

#include "catalogue/qel_image.h"

#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace cv {
class Mat;
}

struct MapFontFace;

// How a text is drawn: blue-green-red colours as the picture holds them, and a halo of
// `haloPixels` around the glyphs that keeps the text readable on any ground.
struct TextStyle {
    int pixelHeight = 12;
    bool bold = false;
    std::uint8_t colour[3] = {0, 0, 0};
    std::uint8_t halo[3] = {255, 255, 255};
    int haloPixels = 0;
};

// Text on the offline map, drawn by FreeType in the program's display face as fontconfig finds
// it ("ＭＳ Ｐゴシック", else "IPAPGothic", else any face with Japanese glyphs), so that the map is
// drawn without a window toolkit and looks like the windows around it.
class MapFont {
public:
    // The face, opened at the first call; null when there is no face with Japanese glyphs.
    // Callable from any thread; each call of the face's operations takes its lock.
    static const MapFont* shared();

    ~MapFont();
    MapFont(const MapFont&) = delete;
    MapFont& operator=(const MapFont&) = delete;

    // The box the text takes, halo left out: its advance across, and from the line above the
    // face's highest glyph to the line below its lowest.
    PixelSize measure(std::string_view text, const TextStyle& style) const;
    // Draws the text with its box's top-left corner at (x, y), the halo around it, clipped to
    // the picture (8-bit, three channels).
    void draw(cv::Mat& picture, int x, int y, std::string_view text, const TextStyle& style) const;
    // The family fontconfig gave.
    const std::string& family() const { return family_; }

private:
    MapFont(std::unique_ptr<MapFontFace> face, std::string family);

    std::unique_ptr<MapFontFace> face_;
    std::string family_;
    mutable std::mutex mutex_;
};
