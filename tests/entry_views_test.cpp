#include "image/make_thumbnail.h"
#include "image/pixels_mat.h"
#include "map/map_marker.h"
#include "map/offline_map.h"
#include "platform/settings_path.h"
#include "tests/window_fixture.h"
#include "ui/entry_view_windows.h"
#include "ui/explorer1.h"
#include "ui/qel_row_layout.h"
#include "ui/wnd_map_view.h"
#include "ui/wnd_view_image.h"
#include "ui/wnd_view_qel_image.h"

#include <gtest/gtest.h>
#include <opencv2/imgcodecs.hpp>
#include <wx/display.h>

#include <condition_variable>
#include <cstdio>
#include <set>
#include <string>

namespace {

const std::string kScreenshots = TESSARO_SCREENSHOT_DIR;

wxColour PixelAt(const wxImage& image, int x, int y) {
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

// Colours as JPEG gives them back: each channel within a few levels.
::testing::AssertionResult Near(const wxColour& shown, const wxColour& expected) {
    const int tolerance = 8;
    if (std::abs(shown.Red() - expected.Red()) <= tolerance &&
        std::abs(shown.Green() - expected.Green()) <= tolerance &&
        std::abs(shown.Blue() - expected.Blue()) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "shown " << shown.GetAsString(wxC2S_CSS_SYNTAX)
                                         << ", expected " << expected.GetAsString(wxC2S_CSS_SYNTAX);
}

// The part of the view's client area that the fitted photo leaves: white all along.
::testing::AssertionResult WhiteBeside(const wxImage& shown, const QELImage& fitted) {
    const int width = fitted.image ? fitted.image->width : 0;
    const int height = fitted.image ? fitted.image->height : 0;
    for (int y = 0; y < shown.GetHeight(); y += 3) {
        for (int x = 0; x < shown.GetWidth(); x += 3) {
            if ((x >= width + 1 || y >= height + 1) && PixelAt(shown, x, y) != *wxWHITE) {
                return ::testing::AssertionFailure() << "not white at " << x << ", " << y;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// The offline map as the view shows it: far more colours than a flat picture (grounds, lines
// and names drawn smooth), and the marker's green just above the middle of the client area.
::testing::AssertionResult ShowsOwnMap(wxWindow* view) {
    const wxImage shown = ClientPixels(view);
    std::set<std::uint32_t> colours;
    for (int y = 0; y < shown.GetHeight(); ++y) {
        for (int x = 0; x < shown.GetWidth(); ++x) {
            colours.insert(static_cast<std::uint32_t>(shown.GetRed(x, y)) << 16 |
                           shown.GetGreen(x, y) << 8 | shown.GetBlue(x, y));
        }
    }
    if (colours.size() < 100) {
        return ::testing::AssertionFailure() << colours.size() << " colours";
    }
    const wxColour marker(kMarkerGreen[2], kMarkerGreen[1], kMarkerGreen[0]);
    return Near(PixelAt(shown, shown.GetWidth() / 2, shown.GetHeight() / 2 - 12), marker);
}

::testing::AssertionResult Both(::testing::AssertionResult first,
                                ::testing::AssertionResult second) {
    return first ? second : first;
}

// The first map of the view's own loads the built-in geocoder's data, which takes its time under
// AddressSanitizer on a busy machine.
constexpr int kFirstOwnMapLimit = 60000;

// Every `step`th pixel each way is near `colour`.
::testing::AssertionResult AllOf(const wxImage& shown, const wxColour& colour, int step) {
    for (int y = 0; y < shown.GetHeight(); y += step) {
        for (int x = 0; x < shown.GetWidth(); x += step) {
            if (auto near = Near(PixelAt(shown, x, y), colour); !near) {
                return near << " at " << x << ", " << y;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// 位置情報なし on the view's white: dark ink at least the smallest text high, centred both ways,
// and nothing else drawn.
::testing::AssertionResult SaysNoPosition(wxWindow* view) {
    const wxImage shown = ClientPixels(view);
    wxRect ink;
    for (int y = 0; y < shown.GetHeight(); ++y) {
        for (int x = 0; x < shown.GetWidth(); ++x) {
            if (shown.GetRed(x, y) < 160) {
                ink.Union(wxRect(x, y, 1, 1));
            }
        }
    }
    if (ink.IsEmpty() || ink.height < 11) {
        return ::testing::AssertionFailure() << "no note, ink " << ink.width << " x " << ink.height;
    }
    const wxPoint centre(ink.x + ink.width / 2, ink.y + ink.height / 2);
    if (std::abs(centre.x - shown.GetWidth() / 2) > 2 ||
        std::abs(centre.y - shown.GetHeight() / 2) > 2) {
        return ::testing::AssertionFailure()
               << "the note is centred at " << centre.x << ", " << centre.y;
    }
    // About six full-width characters: no map, no other text.
    if (ink.width < 5 * ink.height || ink.width > 8 * ink.height) {
        return ::testing::AssertionFailure() << "ink " << ink.width << " x " << ink.height;
    }
    // Above it, clear of its faint edges, nothing but white.
    const int above = std::max(0, ink.y - 2);
    return above == 0
               ? ::testing::AssertionSuccess()
               : AllOf(shown.GetSubImage(wxRect(0, 0, shown.GetWidth(), above)), *wxWHITE, 4);
}

void ClickRow(CWndLbQELFile* list, const std::string& name, int x) {
    const std::size_t row = RowOf(list, name);
    ClickAt(list, list->GetItemRect(row).GetLeftTop() +
                      wxPoint(RowIndent(*list->RowRecord(row)) + x, 18));
}

// A top-level window of the test's own, destroyed with the test.
template <typename Window> struct Owned {
    Window* window;
    ~Owned() {
        window->Destroy();
        // A top-level window is deleted once the toolkit is idle.
        RunUntil([this] { return wxTopLevelWindows.Find(window) == nullptr; });
    }
    Window* operator->() const { return window; }
};

} // namespace

TEST_F(MainWindow, itsOwnViewsShowTheSelectedPhotoAndWhereItWasTaken) {
    recordViews = false;
    open({card.path()});
    pressStep(1, WorkflowState::SourceChosen);
    pressStep(2, WorkflowState::Searched);
    ASSERT_TRUE(RunUntil([&] { return window->catalogue().scanJob->running.load() == 0; }));
    EXPECT_FALSE(ControlById<CWndViewQELImage>(window.get(), kIdPreview)->loading())
        << "the thumbnail phase has ended";
    CWndViewImage* image = window->entryViewWindows()->imageView();
    CWndMapView* map = window->entryViewWindows()->mapView();
    EXPECT_EQ(image->GetTitle().utf8_string(), "イメージ表示");
    EXPECT_EQ(map->GetTitle().utf8_string(), "地図の表示");
    EXPECT_EQ(image->GetClientSize(), wxSize(640, 480)) << "room for a photo";
    EXPECT_EQ(map->GetSize(), wxSize(400, 400));

    // IMG_0001 is 120 x 90, orange with a white disc. Before STEP3 no photo has a position.
    ClickRow(sourceList(), "IMG_0001.JPG", 60);
    ASSERT_TRUE(RunUntil([&] { return image->hasImage() == 1; }));
    const wxSize client = image->GetClientSize();
    const auto fitted = FittedSize(120, 90, ImageBox{0, 0, client.x, client.y});
    ASSERT_TRUE(fitted);
    EXPECT_EQ(image->fittedImage().image->width, fitted->width);
    EXPECT_EQ(image->fittedImage().image->height, fitted->height);
    EXPECT_TRUE(Eventually([&] {
        const wxImage shown = ClientPixels(image);
        return Both(Near(PixelAt(shown, 2, 2), wxColour(255, 120, 0)),
                    WhiteBeside(shown, image->fittedImage()));
    }));
    EXPECT_EQ(map->browser()->GetPosition(), CWndMapView::parkPosition);

    // After STEP3 IMG_0002 has its position, 35°N 135°46'E.
    pressStep(3, WorkflowState::Analysed);
    ClickRow(sourceList(), "IMG_0002.JPG", 60);
    ASSERT_TRUE(RunUntil([&] { return !mapRequestsSoFar().empty() && map->browser()->settled(); }));
    const std::string position = "35.000000,135.766667";
    EXPECT_EQ(mapRequestsSoFar(),
              std::vector<std::string>{"/maps/api/staticmap?center=" + position +
                                       "&zoom=12&size=400x400&sensor=false&markers=color:green"
                                       "%7Clabel:A%7C" +
                                       position});
    EXPECT_EQ(map->browser()->GetRect(), CWndMapView::mapRect);
    EXPECT_TRUE(Eventually([&] { return Near(PixelAt(ClientPixels(map), 5, 5), kMapColour); }));
    EXPECT_TRUE(Eventually(
        [&] { return Near(PixelAt(ClientPixels(image), 2, 2), wxColour(225, 120, 40)); }));
    EXPECT_TRUE(SaveScreenshot(image, kScreenshots + "/image_view.png"));
    EXPECT_TRUE(SaveScreenshot(map, kScreenshots + "/map_view.png"));

    // A photo without a position parks the map out of sight, says so and asks the service
    // nothing.
    ClickRow(sourceList(), "IMG_0003.JPG", 60);
    ASSERT_TRUE(
        RunUntil([&] { return map->browser()->GetPosition() == CWndMapView::parkPosition; }));
    EXPECT_EQ(image->hasImage(), 1);
    EXPECT_TRUE(Eventually([&] { return SaysNoPosition(map); }));
    EXPECT_TRUE(SaveScreenshot(map, kScreenshots + "/map_view_no_position.png"));
    // A folder row leaves the image view white and the map view saying the same.
    ClickAt(sourceList(), RowCentre(sourceList(), RowOf(sourceList(), "DCIM")));
    ASSERT_TRUE(RunUntil([&] { return image->hasImage() == 0; }));
    EXPECT_TRUE(Eventually([&] { return WhiteBeside(ClientPixels(image), QELImage()); }));
    EXPECT_EQ(map->browser()->GetPosition(), CWndMapView::parkPosition);
    EXPECT_TRUE(map->showsNoPosition());
    EXPECT_EQ(mapRequestsSoFar().size(), 1u);

    // Their close boxes only hide them; "写", "地" and a thumbnail click bring them back.
    image->Close();
    map->Close();
    ASSERT_TRUE(RunUntil([&] { return !image->IsShown() && !map->IsShown(); }));
    Click(window->FindWindow(kIdImageButton));
    Click(window->FindWindow(kIdMapButton));
    ASSERT_TRUE(RunUntil([&] { return image->IsShown() && map->IsShown(); }));
    image->Close();
    ASSERT_TRUE(RunUntil([&] { return !image->IsShown(); }));
    ClickRow(sourceList(), "IMG_0004.JPG", 10);
    ASSERT_TRUE(RunUntil([&] { return image->IsShown() && image->hasImage() == 1; }));
}

TEST(ImageView, rescalesFromTheFullPictureOnEveryResizeWithoutReadingTheFileAgain) {
    TempDir dir;
    const std::string path = dir.path() + "small.JPG";
    ASSERT_TRUE(cv::imwrite(path, cv::Mat(30, 40, CV_8UC3, cv::Scalar(200, 60, 20))));
    Owned<CWndViewImage> view{new CWndViewImage(nullptr)};
    view->Show();
    view->SetClientSize(300, 100);
    ASSERT_TRUE(RunUntil([&] { return view->GetClientSize() == wxSize(300, 100); }));
    // Smaller than the view, the photo is enlarged to its height.
    ASSERT_EQ(view->ShowImageFile(path), 1);
    EXPECT_EQ(view->fittedImage().image->width, 133);
    EXPECT_EQ(view->fittedImage().image->height, 100);

    ASSERT_EQ(std::remove(path.c_str()), 0);
    view->SetClientSize(100, 300);
    ASSERT_TRUE(RunUntil([&] { return view->fittedImage().image->width == 100; }));
    EXPECT_EQ(view->fittedImage().image->height, 75);
    EXPECT_EQ(view->fullImage().image->width, 40) << "the full picture is kept as it was";
    EXPECT_TRUE(Eventually([&] {
        const wxImage shown = ClientPixels(view.window);
        return Both(Near(PixelAt(shown, 98, 73), wxColour(20, 60, 200)),
                    WhiteBeside(shown, view->fittedImage()));
    }));

    // The file has gone: the next selection of it gives white.
    EXPECT_EQ(view->ShowImageFile(path), 0);
    EXPECT_EQ(view->fittedImage().image, nullptr);
    EXPECT_TRUE(Eventually([&] { return WhiteBeside(ClientPixels(view.window), QELImage()); }));
}

// A 12-megapixel photo in a small view: decoded at the largest of the decoder's reductions that
// still fills the screen, and fitted as the whole photo would be.
TEST(ImageView, keepsALargePhotoOnlyAsLargeAsTheScreenCanShowIt) {
    TempDir dir;
    cv::Mat photo(3000, 4000, CV_8UC3, cv::Scalar(200, 60, 20));
    photo(cv::Rect(2000, 0, 2000, 3000)).setTo(cv::Scalar(20, 200, 60));
    ASSERT_TRUE(cv::imwrite(dir.path() + "large.JPG", photo));
    Owned<CWndViewImage> view{new CWndViewImage(nullptr)};
    view->Show();
    view->SetClientSize(301, 200);
    ASSERT_TRUE(RunUntil([&] { return view->GetClientSize() == wxSize(301, 200); }));
    ASSERT_EQ(view->ShowImageFile(dir.path() + "large.JPG"), 1);
    const QELImage& kept = view->fullImage();
    const wxRect screen = wxDisplay(0u).GetGeometry();
    ASSERT_LE(screen.width, 2000) << "a screen this large needs the whole photo";
    EXPECT_EQ(kept.scale, 2);
    EXPECT_EQ(kept.image->width, 2000);
    EXPECT_EQ(kept.photoSize.width, 4000);
    EXPECT_EQ(view->fittedImage().image->width, 266); // 4000 x 3000 in 301 x 200
    EXPECT_EQ(view->fittedImage().image->height, 200);
    EXPECT_TRUE(Eventually(
        [&] { return Near(PixelAt(ClientPixels(view.window), 60, 100), wxColour(20, 60, 200)); }));
    EXPECT_TRUE(Near(PixelAt(ClientPixels(view.window), 200, 100), wxColour(60, 200, 20)));

    // A header claiming 16384 x 16384 is refused outright.
    std::vector<std::uint8_t> small;
    ASSERT_TRUE(cv::imencode(".jpg", cv::Mat(64, 64, CV_8UC3, cv::Scalar::all(90)), small));
    const std::size_t sof = std::string(small.begin(), small.end()).find("\xFF\xC0");
    small[sof + 5] = small[sof + 7] = 0x40;
    small[sof + 6] = small[sof + 8] = 0x00;
    WriteFile(dir.path() + "hostile.JPG", std::string(small.begin(), small.end() - 2));
    EXPECT_EQ(view->ShowImageFile(dir.path() + "hostile.JPG"), 0);
}

TEST(ImageView, drawsAGreyPhotoInItsOwnGreys) {
    TempDir dir;
    cv::Mat grey(60, 80, CV_8UC1, cv::Scalar(50));
    grey(cv::Rect(40, 0, 40, 60)).setTo(200);
    ASSERT_TRUE(cv::imwrite(dir.path() + "grey.JPG", grey));
    Owned<CWndViewImage> view{new CWndViewImage(nullptr)};
    view->Show();
    view->SetClientSize(160, 120);
    ASSERT_TRUE(RunUntil([&] { return view->GetClientSize() == wxSize(160, 120); }));
    ASSERT_EQ(view->ShowImageFile(dir.path() + "grey.JPG"), 1);
    EXPECT_EQ(view->fittedImage().image->channels, 1);
    EXPECT_TRUE(Eventually(
        [&] { return Near(PixelAt(ClientPixels(view.window), 20, 60), wxColour(50, 50, 50)); }));
    EXPECT_TRUE(Near(PixelAt(ClientPixels(view.window), 140, 60), wxColour(200, 200, 200)));
}

namespace {

// A static map service whose answers the test holds back or spoils by position.
class MapService {
public:
    MapService()
        : server_([this](const httplib::Request& request, httplib::Response& response) {
              answer(request, response);
          }) {}
    ~MapService() { release(); }

    std::string url() const { return server_.url(); }
    std::vector<std::string> requests() {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }
    // Answers for "center=1.000000,..." wait until release() (at most 10 s).
    void release() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            released_ = true;
        }
        wake_.notify_all();
    }
    static constexpr wxColour::ChannelType kLate = 220;

private:
    void answer(const httplib::Request& request, httplib::Response& response) {
        std::unique_lock<std::mutex> lock(mutex_);
        requests_.push_back(request.target);
        const std::string centre = request.get_param_value("center");
        if (centre.starts_with("1.000000")) {
            wake_.wait_for(lock, std::chrono::seconds(10), [this] { return released_; });
            response.set_content(MapPng(wxColour(kLate, 0, 0)), "image/png");
        } else if (centre.starts_with("3.000000")) {
            response.status = 500;
            response.set_content("Internal error", "text/plain");
        } else {
            response.set_content(MapPng(kMapColour), "image/png");
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<std::string> requests_;
    bool released_ = false;
    LoopbackServer server_;
};

} // namespace

TEST(MapView, requestsTheDescribedMapAndDrawsItWithoutEverWaiting) {
    MapService service;
    Owned<CWndMapView> view{new CWndMapView(nullptr, StaticMapService{service.url(), "k1"})};
    view->Show();
    EXPECT_EQ(view->ShowPosition(35.1696223, 136.8839585), 1);
    ASSERT_TRUE(RunUntil([&] { return view->browser()->settled(); }));
    EXPECT_EQ(service.requests().back(),
              "/maps/api/staticmap?center=35.169622,136.883959&zoom=12&size=400x400&sensor=false"
              "&markers=color:green%7Clabel:A%7C35.169622,136.883959&key=k1");
    EXPECT_TRUE(
        Eventually([&] { return Near(PixelAt(ClientPixels(view.window), 0, 0), kMapColour); }));

    // South and west; the prime meridian; 0, 0 parks the browser and asks nothing.
    view->ShowPosition(-33.8688, -151.2093);
    ASSERT_TRUE(RunUntil([&] { return view->browser()->settled(); }));
    EXPECT_NE(service.requests().back().find("center=-33.868800,-151.209300&"), std::string::npos);
    EXPECT_NE(service.requests().back().find("%7C-33.868800,-151.209300&"), std::string::npos);
    view->ShowPosition(0.0, 0.0);
    EXPECT_EQ(view->browser()->GetPosition(), CWndMapView::parkPosition);
    view->ShowPosition(51.4779, 0.0);
    EXPECT_EQ(view->browser()->GetRect(), CWndMapView::mapRect);
    ASSERT_TRUE(RunUntil([&] { return view->browser()->settled(); }));
    EXPECT_EQ(service.requests().size(), 3u);

    // Resizing leaves the browser where it is.
    view->SetSize(700, 650);
    ASSERT_TRUE(RunUntil([&] { return view->GetSize() == wxSize(700, 650); }));
    EXPECT_EQ(view->browser()->GetRect(), CWndMapView::mapRect);
}

TEST(MapView, dropsAMapThatArrivesAfterANewerPositionAndDrawsItsOwnForAFailure) {
    MapService service;
    Owned<CWndMapView> view{new CWndMapView(nullptr, StaticMapService{service.url(), ""})};
    view->Show();
    // The first answer is held back until the second position has been shown.
    view->ShowPosition(1.0, 1.0);
    ASSERT_TRUE(RunUntil([&] { return service.requests().size() == 1; }));
    view->ShowPosition(2.0, 2.0);
    ASSERT_TRUE(RunUntil([&] { return view->browser()->settled(); }));
    // The fetches are made one after another: the first has ended before the second settled.
    service.release();
    ASSERT_NE(view->browser()->picture().image, nullptr);
    EXPECT_TRUE(
        Eventually([&] { return Near(PixelAt(ClientPixels(view.window), 10, 10), kMapColour); }));

    // The service fails: the view's own map of the Gulf of Guinea, of the client area's size.
    view->ShowPosition(3.0, 3.0);
    ASSERT_TRUE(RunUntil([&] { return view->browser()->settled(); }, kFirstOwnMapLimit));
    ASSERT_NE(view->browser()->picture().image, nullptr);
    EXPECT_EQ(view->browser()->picture().image->width, view->GetClientSize().x);
    EXPECT_EQ(view->browser()->picture().image->height, view->GetClientSize().y);
    EXPECT_TRUE(Eventually([&] {
        return Near(PixelAt(ClientPixels(view.window), 10, 10),
                    wxColour(kOfflineMapSea[2], kOfflineMapSea[1], kOfflineMapSea[0]));
    }));
    EXPECT_TRUE(ShowsOwnMap(view.window));

    // Nothing listening: the view's own map of Kyoto.
    view->Destroy();
    view.window = new CWndMapView(
        nullptr, StaticMapService{"http://127.0.0.1:" + std::to_string(ClosedPort()), ""});
    view->Show();
    view->ShowPosition(35, 135.766667);
    ASSERT_TRUE(RunUntil([&] { return view->browser()->settled(); }));
    EXPECT_TRUE(Eventually([&] { return ShowsOwnMap(view.window); }));
}

// A new user's settings: the default static map service and no key. The service is never asked;
// the view draws its own map at once.
TEST_F(MainWindow, withoutAKeyTheMapViewDrawsItsOwnMapAndAFolderHasNoPosition) {
    WriteFile(SettingsFilePath("tessaro"), "[Service]\nGeocodeURL=" + geocoder.url() + "\n");
    recordViews = false;
    open({card.path()});
    pressStep(1, WorkflowState::SourceChosen);
    pressStep(2, WorkflowState::Searched);
    pressStep(3, WorkflowState::Analysed);
    CWndMapView* map = window->entryViewWindows()->mapView();
    ClickRow(sourceList(), "IMG_0002.JPG", 60);
    ASSERT_TRUE(RunUntil(
        [&] { return map->browser()->picture().image != nullptr && map->browser()->settled(); },
        kFirstOwnMapLimit));
    EXPECT_EQ(map->browser()->GetRect(), CWndMapView::mapRect);
    EXPECT_TRUE(Eventually([&] { return ShowsOwnMap(map); }));
    EXPECT_TRUE(SaveScreenshot(map, kScreenshots + "/offline_map.png"));

    ClickAt(sourceList(), RowCentre(sourceList(), RowOf(sourceList(), "DCIM")));
    ASSERT_TRUE(
        RunUntil([&] { return map->browser()->GetPosition() == CWndMapView::parkPosition; }));
    EXPECT_TRUE(Eventually([&] { return SaysNoPosition(map); }));
    // The note stays in the middle of a resized view.
    map->SetClientSize(600, 300);
    ASSERT_TRUE(RunUntil([&] { return map->GetClientSize() == wxSize(600, 300); }));
    EXPECT_TRUE(Eventually([&] { return SaysNoPosition(map); }));
}

TEST(ThumbnailPreview, showsTheThumbnailCentredOnGreyWithTheLoadingTextOnlyWhileAnnounced) {
    const wxColour grey(192, 192, 192);
    Owned<wxFrame> frame{new wxFrame(nullptr, wxID_ANY, "preview", wxPoint(600, 0))};
    auto* preview = new CWndViewQELImage(frame.window, kIdPreview, wxPoint(0, 0), wxSize(60, 60));
    // The frame stretches its only child over its client area.
    frame->SetClientSize(60, 60);
    frame->Show();
    ASSERT_TRUE(RunUntil([&] { return preview->GetClientSize() == wxSize(60, 60); }));
    QELFileInfo record;
    record.thumbnail.topDown = 1;
    record.thumbnail.image = NewPixels(PixelSize{30, 22}, 3);
    MatOf(*record.thumbnail.image).setTo(cv::Scalar(0, 0, 250)); // red, blue-green-red order
    preview->showRecord(&record);
    EXPECT_TRUE(preview->loading());
    EXPECT_TRUE(Eventually(
        [&] { return Near(PixelAt(ClientPixels(preview), 15, 19), wxColour(250, 0, 0)); }));
    wxImage shown = ClientPixels(preview);
    // (60 - 30) / 2 = 15 across, (60 - 22) / 2 = 19 down.
    EXPECT_TRUE(Near(PixelAt(shown, 15, 19), wxColour(250, 0, 0)));
    EXPECT_TRUE(Near(PixelAt(shown, 44, 40), wxColour(250, 0, 0)));
    EXPECT_TRUE(Near(PixelAt(shown, 14, 19), grey));
    EXPECT_TRUE(Near(PixelAt(shown, 45, 41), grey));
    int redText = 0;
    for (int y = 45; y < 60; ++y) {
        for (int x = 0; x < 60; ++x) {
            const wxColour pixel = PixelAt(shown, x, y);
            redText += pixel.Red() > 150 && pixel.Green() < 120 ? 1 : 0;
        }
    }
    EXPECT_GT(redText, 10) << "読込中… along the bottom edge";

    // The phase over, it is plain grey.
    preview->showRecord(nullptr);
    EXPECT_FALSE(preview->loading());
    EXPECT_TRUE(Eventually([&] { return AllOf(ClientPixels(preview), grey, 2); }));
}
