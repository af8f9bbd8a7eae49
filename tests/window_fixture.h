#pragma once

#include "tests/loopback_server.h"
#include "tests/test_support.h"
#include "tests/window_driver.h"
#include "ui/control_ids.h"
#include "ui/entry_views.h"
#include "ui/tessaro_dlg.h"
#include "ui/wnd_lb_qel_file.h"

#include <gtest/gtest.h>
#include <wx/timer.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// What the main window asked of the image view and the map view.
struct RecordingViews : EntryViews {
    std::vector<std::string> files;
    std::vector<std::pair<double, double>> positions;
    int imageWindowShown = 0;
    int mapWindowShown = 0;

    void ShowImageFile(const std::string& path) override { files.push_back(path); }
    void ShowPosition(double latitude, double longitude) override {
        positions.emplace_back(latitude, longitude);
    }
    void showImageWindow() override { ++imageWindowShown; }
    void showMapWindow() override { ++mapWindowShown; }
};

// The colour of the maps the test service sends, and a 400 x 400 PNG of a colour.
inline const wxColour kMapColour(40, 170, 90);
std::string MapPng(const wxColour& colour);

// The real main window on a fresh account: its own settings folder, a card of generated photos,
// a destination folder and the folder chooser's answers in a file (the program's test seam).
class MainWindow : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the window; the chooser will give `answers` in turn (an empty one cancels).
    void open(const std::vector<std::string>& answers);
    // Clicks the button `id` and lets the UI run until the window has handled the click.
    void clickAndAwait(int id);
    // Clicks step button `step` (1 to 6) and lets the UI run until the workflow is in `state`.
    void pressStep(int step, WorkflowState state);
    // Copies the card by `press` (STEP6 pressed one way or another) and closes the outcome that
    // every copy of it ends in, since the card's notes.txt stays behind; checks that it names
    // that file last and no failure.
    void copyTheCard(const std::function<void()>& press);
    // The six buttons as the user sees them: for each, the face it shows (T to do, D done,
    // G grey, B busy), read from the face's tag colour.
    std::string stepFaces() const;
    std::vector<std::string> titles(CWndLbQELFile* list) const;
    std::string settingsText() const;

    CWndLbQELFile* sourceList() const;
    CWndLbQELFile* resultList() const;

    TempDir home;
    TempDir card;
    TempDir destination;
    // The geocoding service of the settings file: Kyoto for every position.
    std::atomic<int> geocodeRequests{0};
    LoopbackServer geocoder{[this](const httplib::Request&, httplib::Response& response) {
        ++geocodeRequests;
        response.set_content(ReadFile(TestDataDir() + "/geocode/ok_ja_kyoto_higashiyama.xml"),
                             "application/xml");
    }};
    // The static map service of the settings file: one flat-coloured PNG for every map, and the
    // request targets in order.
    std::mutex mapsMutex;
    std::vector<std::string> mapRequests;
    LoopbackServer maps{[this](const httplib::Request& request, httplib::Response& response) {
        {
            std::lock_guard<std::mutex> lock(mapsMutex);
            mapRequests.push_back(request.target);
        }
        response.set_content(MapPng(kMapColour), "image/png");
    }};
    std::vector<std::string> mapRequestsSoFar();
    // When false, the window keeps its own image view and map view.
    bool recordViews = true;
    RecordingViews views;
    std::unique_ptr<CTessaroDlg> window;
};

// The centre of a row, in the list's client coordinates; the row of a record named `name`.
wxPoint RowCentre(CWndLbQELFile* list, std::size_t row);
std::size_t RowOf(CWndLbQELFile* list, const std::string& name);

// Six photos in two camera folders (2010-08-15, two of them with a position, and 2011-01-01), a
// hidden folder with one more, and a file that is no photo.
void MakeCard(const std::string& folder);
inline const std::vector<std::string> kCardPhotos = {
    "IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG", "IMG_0004.JPG", "IMG_0005.JPG", "IMG_0006.JPG"};

// Answers the next modal dialog of type `Dialog` as a user would: waits for it, lets `look` see
// it as shown, then clicks its OK button. Runs from a timer, because the dialog's own modal loop
// holds the test until it closes.
template <typename Dialog> class DialogAnswer : public wxTimer {
public:
    explicit DialogAnswer(std::function<void(Dialog*)> look)
        : look_(std::move(look)),
          deadline_(std::chrono::steady_clock::now() + std::chrono::seconds(20)) {
        Start(20);
    }

    bool answered = false;
    bool gaveUp = false; // no such dialog came, or its button did not close it

private:
    void Notify() override {
        Dialog* dialog = nullptr;
        for (wxWindow* top : wxTopLevelWindows) {
            if (auto* shown = dynamic_cast<Dialog*>(top); shown && shown->IsShown()) {
                dialog = shown;
            }
        }
        if (std::chrono::steady_clock::now() > deadline_) {
            answered = gaveUp = true;
            Stop();
            if (dialog != nullptr) {
                dialog->EndModal(wxID_CANCEL);
            }
        } else if (dialog != nullptr && !clicked_ && ++shownTicks_ > kPaintTicks) {
            clicked_ = true;
            look_(dialog);
            Click(dialog->FindWindow(wxID_OK));
        } else if (dialog == nullptr && clicked_) {
            answered = true;
            Stop();
        }
    }

    // Ticks the dialog is left to paint itself before it is looked at.
    static constexpr int kPaintTicks = 10;
    std::function<void(Dialog*)> look_;
    std::chrono::steady_clock::time_point deadline_;
    int shownTicks_ = 0;
    bool clicked_ = false;
};

// The lines of a text, each ended by '\n'.
std::vector<std::string> Lines(const std::string& text);

// Whether the progress bar's drawn fill covers `share` of its width, as read from the screen.
::testing::AssertionResult BarFilled(wxWindow* bar, double share);
// Runs until `answer` has dealt with its dialog; fails the test when it gave up.
template <typename Dialog> void AwaitAnswer(DialogAnswer<Dialog>& answer) {
    ASSERT_TRUE(RunUntil([&] { return answer.answered; }, 30000));
    ASSERT_FALSE(answer.gaveUp) << "the dialog did not come or did not close";
}
