#include "map/map_font.h"

#include "platform/debug_output.h"
#include "platform/valid_utf8.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <vector>

// The face and the glyphs drawn with it so far: a map names dozens of places with the same few
// kanji, and each size change makes FreeType run the font's hinting program again.
struct MapFontFace {
    struct Glyph {
        FT_Pos advance = 0; // 26.6
        int left = 0;       // from the pen to the bitmap's left edge
        int top = 0;        // from the baseline up to the bitmap's top edge
        cv::Mat coverage;   // 8-bit
    };
    struct Size {
        int ascent = 0;
        int descent = 0;
    };

    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::unordered_map<std::uint64_t, Glyph> glyphs;
    std::unordered_map<int, Size> sizes;

    ~MapFontFace() {
        if (face != nullptr) {
            FT_Done_Face(face);
        }
        if (library != nullptr) {
            FT_Done_FreeType(library);
        }
    }

    const Glyph& glyph(char32_t point, int pixelHeight, bool bold);
    Size size(int pixelHeight);
};

namespace {

// A glyph every face with Japanese glyphs has: あ.
constexpr FT_ULong kJapaneseProbe = 0x3042;
// Glyphs kept drawn at most; a map uses a few hundred.
constexpr std::size_t kMostGlyphs = 8192;
constexpr int kLargestPixelHeight = 256;

struct FontFile {
    std::string path;
    int index = 0;
    std::string family;
};

// The file fontconfig matches to `family` (any face for Japanese when empty), when the match is
// that family.
std::optional<FontFile> Match(const char* family) {
    FcPattern* pattern = FcPatternCreate();
    if (family[0] != '\0') {
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    }
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) {
        return std::nullopt;
    }
    std::optional<FontFile> file;
    FcChar8* value = nullptr;
    bool named = family[0] == '\0';
    std::string matched;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &value) == FcResultMatch; ++i) {
        const std::string name(reinterpret_cast<const char*>(value));
        matched = matched.empty() ? name : matched;
        named = named || name == family;
    }
    int index = 0;
    if (named && FcPatternGetString(match, FC_FILE, 0, &value) == FcResultMatch) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        file = FontFile{reinterpret_cast<const char*>(value), index,
                        family[0] != '\0' ? family : matched};
    }
    FcPatternDestroy(match);
    return file;
}

std::unique_ptr<MapFontFace> Open(const FontFile& file) {
    auto face = std::make_unique<MapFontFace>();
    if (FT_Init_FreeType(&face->library) != 0 ||
        FT_New_Face(face->library, file.path.c_str(), file.index, &face->face) != 0 ||
        FT_Get_Char_Index(face->face, kJapaneseProbe) == 0) {
        return nullptr;
    }
    return face;
}

std::vector<char32_t> CodePoints(std::string_view text) {
    const std::string valid = ValidUtf8(text);
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < valid.size();) {
        const auto lead = static_cast<unsigned char>(valid[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t point = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (int k = 1; k < length && i + k < valid.size(); ++k) {
            point = (point << 6) | (static_cast<unsigned char>(valid[i + k]) & 0x3F);
        }
        points.push_back(point);
        i += static_cast<std::size_t>(length);
    }
    return points;
}

// How much a bold glyph is thickened, in 26.6 units.
FT_Pos BoldStrength(int pixelHeight) {
    return pixelHeight * 64 / 20;
}

// Blends `colour` into the picture where `coverage` (placed at x, y) is set.
void Blend(cv::Mat& picture, const cv::Mat& coverage, int x, int y, const std::uint8_t* colour) {
    const cv::Rect place =
        cv::Rect(x, y, coverage.cols, coverage.rows) & cv::Rect(0, 0, picture.cols, picture.rows);
    for (int row = place.y; row < place.y + place.height; ++row) {
        const std::uint8_t* alpha = coverage.ptr<std::uint8_t>(row - y);
        std::uint8_t* pixel = picture.ptr<std::uint8_t>(row);
        for (int column = place.x; column < place.x + place.width; ++column) {
            const int a = alpha[column - x];
            if (a == 0) {
                continue;
            }
            std::uint8_t* p = pixel + 3 * column;
            for (int c = 0; c < 3; ++c) {
                p[c] = static_cast<std::uint8_t>((p[c] * (255 - a) + colour[c] * a + 127) / 255);
            }
        }
    }
}

} // namespace

const MapFontFace::Glyph& MapFontFace::glyph(char32_t point, int pixelHeight, bool bold) {
    const std::uint64_t key =
        std::uint64_t{point} << 32 | static_cast<std::uint32_t>(pixelHeight) << 1 | (bold ? 1 : 0);
    if (const auto found = glyphs.find(key); found != glyphs.end()) {
        return found->second;
    }
    if (glyphs.size() >= kMostGlyphs) {
        glyphs.clear();
    }
    Glyph& made = glyphs[key];
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight));
    if (FT_Load_Char(face, point, FT_LOAD_NO_BITMAP) != 0 ||
        face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
        return made; // nothing drawn, nothing advanced
    }
    if (bold) {
        FT_Outline_Embolden(&face->glyph->outline, BoldStrength(pixelHeight));
    }
    made.advance = face->glyph->advance.x + (bold ? BoldStrength(pixelHeight) : 0);
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
        return made;
    }
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    made.left = face->glyph->bitmap_left;
    made.top = face->glyph->bitmap_top;
    made.coverage = cv::Mat(static_cast<int>(bitmap.rows), static_cast<int>(bitmap.width), CV_8UC1);
    for (unsigned int row = 0; row < bitmap.rows; ++row) {
        const std::uint8_t* source = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
        std::copy(source, source + bitmap.width, made.coverage.ptr<std::uint8_t>(row));
    }
    return made;
}

MapFontFace::Size MapFontFace::size(int pixelHeight) {
    if (const auto found = sizes.find(pixelHeight); found != sizes.end()) {
        return found->second;
    }
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight));
    const FT_Size_Metrics& metrics = face->size->metrics;
    const Size made{static_cast<int>((metrics.ascender + 63) / 64),
                    static_cast<int>((-metrics.descender + 63) / 64)};
    sizes[pixelHeight] = made;
    return made;
}

MapFont::MapFont(std::unique_ptr<MapFontFace> face, std::string family)
    : face_(std::move(face)), family_(std::move(family)) {}

MapFont::~MapFont() = default;

const MapFont* MapFont::shared() {
    static const std::unique_ptr<MapFont> font = []() -> std::unique_ptr<MapFont> {
        if (FcInit() == FcFalse) {
            DebugOutput("offline map: fontconfig cannot start; the map has no names");
            return nullptr;
        }
        for (const char* family : {"ＭＳ Ｐゴシック", "IPAPGothic", ""}) {
            if (const auto file = Match(family)) {
                if (auto face = Open(*file)) {
                    return std::unique_ptr<MapFont>(new MapFont(std::move(face), file->family));
                }
            }
        }
        DebugOutput("offline map: no font with Japanese glyphs; the map has no names");
        return nullptr;
    }();
    return font.get();
}

PixelSize MapFont::measure(std::string_view text, const TextStyle& style) const {
    const int height = std::clamp(style.pixelHeight, 1, kLargestPixelHeight);
    std::lock_guard<std::mutex> lock(mutex_);
    FT_Pos advance = 0;
    for (const char32_t point : CodePoints(text)) {
        advance += face_->glyph(point, height, style.bold).advance;
    }
    const MapFontFace::Size size = face_->size(height);
    return PixelSize{static_cast<int>((advance + 63) / 64), size.ascent + size.descent};
}

void MapFont::draw(cv::Mat& picture, int x, int y, std::string_view text,
                   const TextStyle& style) const {
    const PixelSize box = measure(text, style);
    const int height = std::clamp(style.pixelHeight, 1, kLargestPixelHeight);
    const int halo = std::max(0, style.haloPixels);
    cv::Mat coverage(box.height + 2 * halo, box.width + 2 * halo + 2, CV_8UC1, cv::Scalar(0));
    {
        std::lock_guard<std::mutex> lock(mutex_);
        const int baseline = halo + face_->size(height).ascent;
        FT_Pos pen = halo * 64;
        for (const char32_t point : CodePoints(text)) {
            const MapFontFace::Glyph& glyph = face_->glyph(point, height, style.bold);
            // The glyph's bitmap where it lies within the label, which cuts off what overhangs.
            const cv::Rect at(static_cast<int>((pen + 32) / 64) + glyph.left, baseline - glyph.top,
                              glyph.coverage.cols, glyph.coverage.rows);
            const cv::Rect inside = at & cv::Rect(0, 0, coverage.cols, coverage.rows);
            if (!inside.empty()) {
                cv::Mat target = coverage(inside);
                cv::max(target, glyph.coverage(inside - at.tl()), target);
            }
            pen += glyph.advance;
        }
    }
    if (halo > 0) {
        cv::Mat around;
        cv::dilate(
            coverage, around,
            cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(2 * halo + 1, 2 * halo + 1)));
        Blend(picture, around, x - halo, y - halo, style.halo);
    }
    Blend(picture, coverage, x - halo, y - halo, style.colour);
}
