#include "display/map_font.h"

#include "platform/debug_output.h"
#include "platform/valid_utf8.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <optional>
#include <vector>

struct MapFontFace {
    FT_Library library = nullptr;
    FT_Face face = nullptr;

    ~MapFontFace() {
        if (face != nullptr) {
            FT_Done_Face(face);
        }
        if (library != nullptr) {
            FT_Done_FreeType(library);
        }
    }
};

namespace {

// A glyph every face with Japanese glyphs has: あ.
constexpr FT_ULong kJapaneseProbe = 0x3042;

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

// Loads and renders one glyph at the size set; false when the face cannot.
bool Render(FT_Face face, char32_t point, bool bold) {
    if (FT_Load_Char(face, point, FT_LOAD_NO_BITMAP) != 0 ||
        face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
        return false;
    }
    if (bold) {
        FT_Outline_Embolden(&face->glyph->outline, BoldStrength(face->size->metrics.y_ppem));
    }
    return FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) == 0;
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
    std::lock_guard<std::mutex> lock(mutex_);
    FT_Face face = face_->face;
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::max(1, style.pixelHeight)));
    FT_Pos advance = 0;
    for (const char32_t point : CodePoints(text)) {
        if (FT_Load_Char(face, point, FT_LOAD_NO_BITMAP) == 0) {
            advance += face->glyph->advance.x + (style.bold ? BoldStrength(style.pixelHeight) : 0);
        }
    }
    const FT_Size_Metrics& metrics = face->size->metrics;
    return PixelSize{static_cast<int>((advance + 63) / 64),
                     static_cast<int>((metrics.ascender - metrics.descender + 63) / 64)};
}

void MapFont::draw(cv::Mat& picture, int x, int y, std::string_view text,
                   const TextStyle& style) const {
    const PixelSize box = measure(text, style);
    const int halo = std::max(0, style.haloPixels);
    cv::Mat coverage(box.height + 2 * halo, box.width + 2 * halo + 2, CV_8UC1, cv::Scalar(0));
    {
        std::lock_guard<std::mutex> lock(mutex_);
        FT_Face face = face_->face;
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::max(1, style.pixelHeight)));
        const int baseline = halo + static_cast<int>((face->size->metrics.ascender + 63) / 64);
        FT_Pos pen = halo * 64;
        for (const char32_t point : CodePoints(text)) {
            if (!Render(face, point, style.bold)) {
                continue;
            }
            const FT_Bitmap& bitmap = face->glyph->bitmap;
            const int left = static_cast<int>((pen + 32) / 64) + face->glyph->bitmap_left;
            const int top = baseline - face->glyph->bitmap_top;
            for (unsigned int row = 0; row < bitmap.rows; ++row) {
                const int targetRow = top + static_cast<int>(row);
                if (targetRow < 0 || targetRow >= coverage.rows) {
                    continue;
                }
                const std::uint8_t* source = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
                std::uint8_t* target = coverage.ptr<std::uint8_t>(targetRow);
                for (unsigned int column = 0; column < bitmap.width; ++column) {
                    const int targetColumn = left + static_cast<int>(column);
                    if (targetColumn >= 0 && targetColumn < coverage.cols) {
                        target[targetColumn] = std::max(target[targetColumn], source[column]);
                    }
                }
            }
            pen += face->glyph->advance.x + (style.bold ? BoldStrength(style.pixelHeight) : 0);
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
