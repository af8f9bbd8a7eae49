#include "map/offline_map.h"

#include "geocode/builtin_data.h"
#include "geocode/builtin_geocoder.h"
#include "image/pixels_mat.h"
#include "map/label_space.h"
#include "map/map_font.h"
#include "map/map_marker.h"
#include "map/map_places.h"
#include "map/map_projection.h"
#include "map/municipal_borders.h"
#include "map/state_outlines.h"
#include "map/state_raster.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {

// Blue, green, red.
const cv::Vec3b kSea(kOfflineMapSea[0], kOfflineMapSea[1], kOfflineMapSea[2]);
const cv::Vec3b kLand(kOfflineMapLand[0], kOfflineMapLand[1], kOfflineMapLand[2]);
const cv::Vec3b kShaded(kOfflineMapShaded[0], kOfflineMapShaded[1], kOfflineMapShaded[2]);
const cv::Scalar kStateBorder(175, 160, 160);
const cv::Scalar kCountryBorder(150, 90, 140);
const cv::Scalar kCoast(180, 150, 100);
const cv::Scalar kDot(60, 60, 60);
const cv::Scalar kScale(60, 60, 60);

// Sub-pixel bits of the lines' coordinates.
constexpr int kShift = 4;
constexpr double kUnits = 1 << kShift;
// How far beyond the corners boundaries are gathered, in pixels: more than a piece is long.
constexpr double kReachPixels = 16.0;
// The sides a boundary is looked at from, in pixels.
constexpr double kSideStep = 1.5;
// Room kept around each label.
constexpr int kLabelGap = 2;
// A state is named when it covers this share of the picture.
constexpr double kNamedStateShare = 0.04;

enum class Line { none, state, country, coast };

TextStyle Style(int pixelHeight, bool bold, int blue, int green, int red) {
    TextStyle style;
    style.pixelHeight = pixelHeight;
    style.bold = bold;
    style.colour[0] = static_cast<std::uint8_t>(blue);
    style.colour[1] = static_cast<std::uint8_t>(green);
    style.colour[2] = static_cast<std::uint8_t>(red);
    style.haloPixels = 2;
    return style;
}

// The data a map needs, loaded once: the geocoder's, and the rings' spans over it.
struct MapData {
    const BuiltinData& data = builtinData();
    std::unique_ptr<StateOutlines> outlines =
        data.polygons() ? std::make_unique<StateOutlines>(*data.polygons()) : nullptr;
    std::unique_ptr<StateOutlines> municipalities =
        data.japan() ? std::make_unique<StateOutlines>(data.japan()->rings, data.japan()->points)
                     : nullptr;
};

// Japan's municipalities in the view, when it shows any.
struct MunicipalView {
    std::vector<OutlinePiece> pieces;
    std::optional<StateRaster> raster;
    std::optional<std::uint32_t> middle; // the municipality at the marker
};

MunicipalView MunicipalitiesInView(const MapData& data, const MapProjection& projection,
                                   double reach) {
    MunicipalView view;
    if (!data.municipalities) {
        return view;
    }
    view.pieces = data.municipalities->near(projection, reach);
    if (view.pieces.empty()) {
        return view;
    }
    view.raster.emplace(view.pieces, *data.data.japanGrid(), projection);
    if (const auto found = data.data.municipality(projection.middle())) {
        view.middle = found->state;
    }
    return view;
}

std::string MunicipalityName(const JapanMunicipality& municipality) {
    return municipality.city + municipality.name;
}

const MapData& Data() {
    static const MapData data;
    return data;
}

std::string StateName(const StateRecord& state) {
    return state.japaneseName.empty() ? state.name : state.japaneseName;
}

void Fill(cv::Mat& picture, const StateRaster& raster, std::int32_t shaded) {
    for (int y = 0; y < picture.rows; ++y) {
        cv::Vec3b* row = picture.ptr<cv::Vec3b>(y);
        for (int x = 0; x < picture.cols; ++x) {
            const std::int32_t state = raster.at(x, y);
            row[x] = state == StateRaster::kNoState ? kSea : state == shaded ? kShaded : kLand;
        }
    }
}

// What a piece of boundary is, from the states on either side of it: none between two parts of
// one state (the seams of polygons cut at the 180th meridian).
Line Classify(const OutlinePiece& piece, const StateRaster& raster, const StatePolygons& polygons) {
    const auto sides = raster.sides(piece, kSideStep);
    if (!sides) {
        return Line::none;
    }
    const auto [left, right] = *sides;
    if (left == StateRaster::kNoState || right == StateRaster::kNoState) {
        return Line::coast; // land that is narrower than the step is coast on both sides
    }
    if (left == right) {
        return Line::none;
    }
    return polygons.states[left].countryName != polygons.states[right].countryName ? Line::country
                                                                                   : Line::state;
}

void DrawLines(cv::Mat& picture, const std::vector<OutlinePiece>& pieces, const StateRaster& raster,
               const StatePolygons& polygons) {
    std::vector<Line> kinds;
    kinds.reserve(pieces.size());
    for (const OutlinePiece& piece : pieces) {
        kinds.push_back(Classify(piece, raster, polygons));
    }
    const auto at = [](MapPoint point) {
        return cv::Point(static_cast<int>(std::lround(point.x * kUnits)),
                         static_cast<int>(std::lround(point.y * kUnits)));
    };
    // Joined pieces of one kind make one line, so that their joints are drawn once.
    const auto draw = [&](Line kind, const cv::Scalar& colour, int thickness) {
        std::vector<std::vector<cv::Point>> lines;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (kinds[i] != kind) {
                continue;
            }
            if (lines.empty() || !pieces[i].joined || kinds[i - 1] != kind) {
                lines.push_back({at(pieces[i].from)});
            }
            lines.back().push_back(at(pieces[i].to));
        }
        cv::polylines(picture, lines, false, colour, thickness, cv::LINE_AA, kShift);
    };
    draw(Line::state, kStateBorder, 1);
    draw(Line::country, kCountryBorder, 2);
    draw(Line::coast, kCoast, 1);
}

ImageBox Grown(const ImageBox& box, int by) {
    return ImageBox{box.left - by, box.top - by, box.right + by, box.bottom + by};
}

ImageBox Joined(const ImageBox& a, const ImageBox& b) {
    return ImageBox{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                    std::max(a.bottom, b.bottom)};
}

struct Placed {
    MapLabel label;
    TextStyle style;
};

// Where a label of w x h may stand beside a box that holds a dot at (x, y): right, left, the four
// corners, above, below.
std::vector<cv::Point> LabelCorners(const ImageBox& beside, int x, int y, int w, int h) {
    return {{beside.right + 2, y - h / 2},     {beside.left - 2 - w, y - h / 2},
            {beside.right, beside.top - h},    {beside.right, beside.bottom},
            {beside.left - w, beside.top - h}, {beside.left - w, beside.bottom},
            {x - w / 2, beside.top - 2 - h},   {x - w / 2, beside.bottom + 2}};
}

// The places, the most people first, each with its dot and its name beside it where both find
// room; a place whose name finds none is left out. The name of a place under the marker stands
// beside the marker.
void PlacePlaces(const std::vector<MapPlace>& places, const MapFont& font, LabelSpace& space,
                 std::vector<Placed>& placed, std::vector<std::pair<cv::Point, int>>& dots) {
    for (const MapPlace& place : places) {
        const bool large = place.population >= 1000000;
        const TextStyle style = Style(place.population >= 100000 ? 13 : 12, large, 40, 40, 40);
        const int radius = large ? 4 : 3;
        const int x = static_cast<int>(std::floor(place.at.x));
        const int y = static_cast<int>(std::floor(place.at.y));
        const ImageBox dot{x - radius, y - radius, x + radius + 1, y + radius + 1};
        if (!space.freeForDot(dot)) {
            continue;
        }
        const ImageBox beside = space.underMarker(dot) ? Joined(dot, space.marker()) : dot;
        const PixelSize size = font.measure(place.name, style);
        for (const cv::Point& corner : LabelCorners(beside, x, y, size.width, size.height)) {
            const ImageBox box{corner.x, corner.y, corner.x + size.width, corner.y + size.height};
            if (space.freeForLabel(Grown(box, kLabelGap))) {
                space.take(Grown(box, kLabelGap));
                space.take(dot);
                placed.push_back({MapLabel{place.name, box}, style});
                dots.emplace_back(cv::Point(x, y), radius);
                break;
            }
        }
    }
}

// The part of a state in the picture, counted on every other pixel of every other row.
struct StateArea {
    std::uint32_t state = 0;
    double count = 0.0;
    double sumX = 0.0;
    double sumY = 0.0;
};

// The states the picture shows, the largest part first.
std::vector<StateArea> StateAreas(const StateRaster& raster, PixelSize picture) {
    std::vector<StateArea> areas;
    std::unordered_map<std::int32_t, std::size_t> index;
    for (int y = 0; y < picture.height; y += 2) {
        for (int x = 0; x < picture.width; x += 2) {
            const std::int32_t state = raster.at(x, y);
            if (state == StateRaster::kNoState) {
                continue;
            }
            const auto [found, added] = index.try_emplace(state, areas.size());
            if (added) {
                areas.push_back(StateArea{static_cast<std::uint32_t>(state)});
            }
            StateArea& area = areas[found->second];
            ++area.count;
            area.sumX += x;
            area.sumY += y;
        }
    }
    std::stable_sort(areas.begin(), areas.end(),
                     [](const StateArea& a, const StateArea& b) { return a.count > b.count; });
    return areas;
}

// A name at the middle of an area of the picture, or a little above or below, where the name's
// middle lies inside the area; false when it finds no room.
bool PlaceInArea(const StateArea& area, const StateRaster& raster, const std::string& name,
                 const TextStyle& style, const MapFont& font, LabelSpace& space,
                 std::vector<Placed>& placed) {
    const PixelSize size = font.measure(name, style);
    const int x = static_cast<int>(area.sumX / area.count);
    for (const int shift : {0, -1, 1, -2, 2}) {
        const int y = static_cast<int>(area.sumY / area.count) + shift * (size.height + kLabelGap);
        const ImageBox box{x - size.width / 2, y - size.height / 2, x - size.width / 2 + size.width,
                           y - size.height / 2 + size.height};
        if (raster.at(x, y) == static_cast<std::int32_t>(area.state) &&
            space.freeForLabel(Grown(box, kLabelGap))) {
            space.take(Grown(box, kLabelGap));
            placed.push_back({MapLabel{name, box}, style});
            return true;
        }
    }
    return false;
}

// A state's name at the middle of its part of the picture, or a little above or below, when that
// part is large and the name's middle lies inside it.
void PlaceState(const StateArea& area, const StateRaster& raster, const StatePolygons& polygons,
                const MapFont& font, LabelSpace& space, std::vector<Placed>& placed) {
    const PixelSize picture = space.picture();
    if (area.count < kNamedStateShare * picture.width * picture.height / 4.0) {
        return;
    }
    const std::string name = StateName(polygons.states[area.state]);
    for (const Placed& label : placed) {
        if (label.label.text == name) {
            return; // Tokyo, a place and a prefecture of one name
        }
    }
    PlaceInArea(area, raster, name, Style(13, false, 90, 100, 120), font, space, placed);
}

// The photo's municipality in bold: in its part of the picture where the name fits inside it,
// else beside the marker.
void PlaceMunicipality(const MunicipalView& view, const JapanMunicipalities& japan,
                       const MapFont& font, LabelSpace& space, std::vector<Placed>& placed) {
    const std::string name = MunicipalityName(japan.municipalities[*view.middle]);
    const TextStyle style = Style(13, true, 60, 40, 40);
    for (const StateArea& area : StateAreas(*view.raster, space.picture())) {
        if (area.state == *view.middle &&
            PlaceInArea(area, *view.raster, name, style, font, space, placed)) {
            return;
        }
    }
    const PixelSize size = font.measure(name, style);
    const ImageBox& marker = space.marker();
    const int x = (marker.left + marker.right) / 2;
    const int y = (marker.top + marker.bottom) / 2;
    for (const cv::Point& corner : LabelCorners(marker, x, y, size.width, size.height)) {
        const ImageBox box{corner.x, corner.y, corner.x + size.width, corner.y + size.height};
        if (space.freeForLabel(Grown(box, kLabelGap))) {
            space.take(Grown(box, kLabelGap));
            placed.push_back({MapLabel{name, box}, style});
            return;
        }
    }
}

// The longest of 1, 2 and 5 times a power of ten kilometres that takes at most a quarter of the
// width.
double ScaleKilometres(PixelSize picture) {
    const double most = picture.width / 4.0 * kOfflineMapMetresPerPixel / 1000.0;
    double best = 1.0;
    for (double decade = 1.0; decade <= 10000.0; decade *= 10.0) {
        for (const double step : {1.0, 2.0, 5.0}) {
            if (step * decade <= most) {
                best = step * decade;
            }
        }
    }
    return best;
}

std::string KilometresText(double kilometres) {
    return std::to_string(static_cast<int>(kilometres)) + " km";
}

} // namespace

int DrawOfflineMap(double latitude, double longitude, PixelSize size, OfflineMap& map) {
    map = OfflineMap();
    if (!std::isfinite(latitude) || !std::isfinite(longitude) || latitude < -90.0 ||
        latitude > 90.0 || longitude < -180.0 || longitude > 180.0 || size.width < 1 ||
        size.height < 1 || size.width > kMaxOfflineMapSide || size.height > kMaxOfflineMapSide) {
        return kOfflineMapBadRequest;
    }
    const MapData& data = Data();
    if (!data.outlines) {
        return kOfflineMapNoData;
    }
    const StatePolygons& polygons = *data.data.polygons();
    const StateGrid& grid = *data.data.grid();
    const MapProjection projection(latitude, longitude, size, kOfflineMapMetresPerPixel);
    const double reach =
        projection.cornerAngle() + kReachPixels * kOfflineMapMetresPerPixel / kEarthRadiusMetres;
    const std::vector<OutlinePiece> pieces = data.outlines->near(projection, reach);
    const StateRaster raster(pieces, grid, projection);
    const auto holder = grid.find(latitude, longitude, kBuiltinNearbyStateKm);
    const std::int32_t shaded =
        holder ? static_cast<std::int32_t>(holder->state) : StateRaster::kNoState;
    if (holder) {
        map.shadedState = StateName(polygons.states[holder->state]);
    }

    const MunicipalView municipal = MunicipalitiesInView(data, projection, reach);
    if (municipal.middle) {
        map.municipality = MunicipalityName(data.data.japan()->municipalities[*municipal.middle]);
    }

    map.pixels = NewPixels(size, 3);
    cv::Mat picture = MatOf(*map.pixels);
    Fill(picture, raster, shaded);
    if (municipal.raster) {
        DrawMunicipalBorders(picture, municipal.pieces, *municipal.raster, *data.data.japan());
    }
    DrawLines(picture, pieces, raster, polygons);

    const int middleX = size.width / 2;
    const int middleY = size.height / 2;
    const MapFont* font = MapFont::shared();
    LabelSpace space(size);
    space.setMarker(MarkerBox(middleX, middleY));
    const double kilometres = ScaleKilometres(size);
    const int scaleLength =
        static_cast<int>(std::lround(kilometres * 1000.0 / kOfflineMapMetresPerPixel));
    const int scaleLeft = 10;
    const int scaleY = size.height - 10;
    const TextStyle scaleStyle = Style(11, false, 60, 60, 60);
    const TextStyle creditStyle = Style(10, false, 80, 80, 80);
    const std::string credits = "Natural Earth, GeoNames";
    // The ministry asks its credit wherever its borders are shown.
    const std::string municipalCredit =
        municipal.raster ? "「国土数値情報（行政区域データ）」（国土交通省）を加工して作成" : "";
    std::vector<Placed> placed;
    std::vector<std::pair<cv::Point, int>> dots;
    if (font != nullptr) {
        const PixelSize scaleText = font->measure(KilometresText(kilometres), scaleStyle);
        space.take(ImageBox{scaleLeft - 4, scaleY - scaleText.height - 8,
                            scaleLeft + std::max(scaleLength, scaleText.width) + 4, size.height});
        const PixelSize creditText = font->measure(credits, creditStyle);
        space.take(ImageBox{size.width - creditText.width - 8, size.height - creditText.height - 6,
                            size.width, size.height});
        if (!municipalCredit.empty()) {
            const PixelSize text = font->measure(municipalCredit, creditStyle);
            space.take(ImageBox{size.width - text.width - 8, 0, size.width, text.height + 6});
        }
        if (municipal.middle) {
            PlaceMunicipality(municipal, *data.data.japan(), *font, space, placed);
        }
        if (data.data.places().opened()) {
            PlacePlaces(PlacesInView(data.data.places(), projection), *font, space, placed, dots);
        }
        // The position's own state first.
        std::vector<StateArea> areas = StateAreas(raster, size);
        std::stable_partition(areas.begin(), areas.end(), [shaded](const StateArea& area) {
            return static_cast<std::int32_t>(area.state) == shaded;
        });
        for (const StateArea& area : areas) {
            PlaceState(area, raster, polygons, *font, space, placed);
        }
    }

    for (const auto& [at, radius] : dots) {
        cv::circle(picture, at, radius + 1, cv::Scalar(255, 255, 255), cv::FILLED, cv::LINE_AA);
        cv::circle(picture, at, radius, kDot, cv::FILLED, cv::LINE_AA);
    }
    for (const Placed& label : placed) {
        font->draw(picture, label.label.box.left, label.label.box.top, label.label.text,
                   label.style);
        map.labels.push_back(label.label);
    }
    // The scale: a bar with ticks at its ends and its length above it.
    const cv::Point barLeft(scaleLeft, scaleY);
    const cv::Point barRight(scaleLeft + scaleLength, scaleY);
    for (const int width : {4, 2}) {
        const cv::Scalar colour = width == 4 ? cv::Scalar(255, 255, 255) : kScale;
        cv::line(picture, barLeft, barRight, colour, width);
        cv::line(picture, barLeft, barLeft - cv::Point(0, 5), colour, width);
        cv::line(picture, barRight, barRight - cv::Point(0, 5), colour, width);
    }
    if (font != nullptr) {
        const PixelSize scaleText = font->measure(KilometresText(kilometres), scaleStyle);
        font->draw(picture, scaleLeft + 4, scaleY - scaleText.height - 5,
                   KilometresText(kilometres), scaleStyle);
        const PixelSize creditText = font->measure(credits, creditStyle);
        font->draw(picture, size.width - creditText.width - 5, size.height - creditText.height - 4,
                   credits, creditStyle);
        if (!municipalCredit.empty()) {
            const PixelSize text = font->measure(municipalCredit, creditStyle);
            font->draw(picture, size.width - text.width - 5, 4, municipalCredit, creditStyle);
        }
    }
    DrawMarker(picture, middleX, middleY);
    return kOfflineMapDrawn;
}
