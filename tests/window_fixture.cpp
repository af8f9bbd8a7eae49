#include "tests/window_fixture.h"

#include "platform/settings_path.h"
#include "tests/exif_builder.h"
#include "ui/copy_outcome_dlg.h"
#include "ui/face_button.h"

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>
#include <wx/textctrl.h>

#include <cstdlib>

namespace {

// Where a step button's tag is, and what its colours mean.
constexpr int kTagX = 4;

char FaceLetter(const CFaceButton* button) {
    const wxImage face = button->shownFace().ConvertToImage();
    const int y = face.GetHeight() / 2;
    const int red = face.GetRed(kTagX, y);
    const int green = face.GetGreen(kTagX, y);
    const int blue = face.GetBlue(kTagX, y);
    if (green > 120 && red < 60) {
        return 'T';
    }
    if (red > 230 && green > 180 && blue < 60) {
        return 'B';
    }
    if (red < 90 && green < 90 && blue < 100) {
        return 'D';
    }
    if (red > 180 && red == green && green == blue) {
        return 'G';
    }
    return '?';
}

// A picture as a camera writes it: the EXIF segment first, with the time and, for some, the
// position of Kyoto.
void WritePhoto(const std::string& path, int shade, const std::string& date, bool placed) {
    cv::Mat picture(90, 120, CV_8UC3, cv::Scalar(40 * shade % 256, 120, 255 - 30 * shade));
    cv::circle(picture, cv::Point(30 + 12 * shade, 45), 20, cv::Scalar(255, 255, 255), -1);
    std::vector<std::uint8_t> encoded;
    ASSERT_TRUE(cv::imencode(".jpg", picture, encoded)) << path;
    const Rationals latitude = {{35, 1}, {0, 1}, {0, 1}};
    const Rationals longitude = {{135, 1}, {46, 1}, {0, 1}};
    WriteFile(path, WithExif(std::string(encoded.begin(), encoded.end()),
                             placed ? ExifTiff(date, latitude, longitude) : ExifTiff(date)));
}

} // namespace

void MakeCard(const std::string& folder) {
    for (std::size_t i = 0; i < kCardPhotos.size(); ++i) {
        const std::string camera = i < 4 ? "DCIM/100CAMERA/" : "DCIM/101CAMERA/";
        const int index = static_cast<int>(i);
        const std::string date = i < 4 ? "2010:08:15 09:0" + std::to_string(index) + ":00"
                                       : "2011:01:01 10:0" + std::to_string(index) + ":00";
        WritePhoto(folder + camera + kCardPhotos[i], index, date, i < 2);
    }
    WriteFile(folder + "DCIM/.thumbs/IMG_0001.JPG", "not a photo of the card");
    WriteFile(folder + "notes.txt", "not a photo");
}

void MainWindow::SetUp() {
    setenv("XDG_CONFIG_HOME", (home.path() + "config").c_str(), 1);
    // Geocoding answers are cached: each test its own cache, never the user's.
    setenv("XDG_CACHE_HOME", (home.path() + "cache").c_str(), 1);
    MakeCard(card.path());
    WriteFile(SettingsFilePath("tessaro"),
              "[Service]\nGeocodeURL=" + geocoder.url() + "\nStaticMapURL=" + maps.url() + "\n");
}

void MainWindow::TearDown() {
    window.reset();
    unsetenv("TESSARO_FOLDER_ANSWERS");
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_CACHE_HOME");
}

void MainWindow::open(const std::vector<std::string>& answers) {
    std::string lines;
    for (const std::string& answer : answers) {
        lines += answer + "\n";
    }
    const std::string answersFile = home.path() + "answers.txt";
    WriteFile(answersFile, lines);
    setenv("TESSARO_FOLDER_ANSWERS", answersFile.c_str(), 1);
    window = std::make_unique<CTessaroDlg>("/usr/bin/tessaro");
    if (recordViews) {
        window->setEntryViews(&views);
    }
    window->Show();
    ASSERT_TRUE(RunUntil([&] { return window->IsShownOnScreen(); }));
    // The first paint of every control has happened once the step buttons show their faces.
    ASSERT_TRUE(RunUntil([&] { return stepFaces() == "T G G G G G"; })) << stepFaces();
}

void MainWindow::clickAndAwait(int id) {
    bool clicked = false;
    // Bound last, it is called first; the window's own handler follows in the same dispatch.
    const auto seen = [&](wxCommandEvent& event) {
        clicked = true;
        event.Skip();
    };
    window->Bind(wxEVT_BUTTON, seen, id);
    Click(window->FindWindow(id));
    EXPECT_TRUE(RunUntil([&] { return clicked; })) << "the click on " << id << " never came";
    window->Unbind(wxEVT_BUTTON, seen, id);
}

void MainWindow::pressStep(int step, WorkflowState state) {
    Click(window->FindWindow(kStepButtonIds[step - 1]));
    ASSERT_TRUE(RunUntil([&] { return window->workflow().state() == state; }))
        << "STEP" << step << " left the workflow in state "
        << static_cast<int>(window->workflow().state());
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

void MainWindow::copyTheCard(const std::function<void()>& press) {
    std::vector<std::string> listed;
    DialogAnswer<CCopyOutcomeDlg> answer([&](CCopyOutcomeDlg* outcome) {
        listed = Lines(ControlById<wxTextCtrl>(outcome, kIdFailureList)->GetValue().utf8_string());
    });
    press();
    AwaitAnswer(answer);
    ASSERT_GE(listed.size(), 2u);
    EXPECT_EQ(listed.back(),
              "読み込まない隠しフォルダの写真: " + card.path() + "DCIM/.thumbs/IMG_0001.JPG");
    EXPECT_EQ(listed[listed.size() - 2], "読み込まないファイル: " + card.path() + "notes.txt");
    for (const std::string& line : listed) {
        EXPECT_TRUE(line.starts_with("読み込まない")) << line << ": no failure, only files left";
    }
}

std::string MainWindow::stepFaces() const {
    std::string faces;
    for (const int id : kStepButtonIds) {
        faces += FaceLetter(ControlById<CFaceButton>(window.get(), id));
        faces += ' ';
    }
    faces.pop_back();
    return faces;
}

std::vector<std::string> MainWindow::titles(CWndLbQELFile* list) const {
    std::vector<std::string> shown;
    for (std::size_t i = 0; i < list->GetItemCount(); ++i) {
        shown.push_back(list->RowRecord(i)->title);
    }
    return shown;
}

std::string MainWindow::settingsText() const {
    return ReadFile(SettingsFilePath("tessaro"));
}

CWndLbQELFile* MainWindow::sourceList() const {
    return ControlById<CWndLbQELFile>(window.get(), kIdSourceList);
}

CWndLbQELFile* MainWindow::resultList() const {
    return ControlById<CWndLbQELFile>(window.get(), kIdResultList);
}

std::vector<std::string> MainWindow::mapRequestsSoFar() {
    std::lock_guard<std::mutex> lock(mapsMutex);
    return mapRequests;
}

std::string MapPng(const wxColour& colour) {
    cv::Mat map(400, 400, CV_8UC3, cv::Scalar(colour.Blue(), colour.Green(), colour.Red()));
    // Roads, a river and the marker in the middle, clear of the corners that tests look at.
    const cv::Scalar road(235, 235, 235);
    cv::line(map, cv::Point(40, 380), cv::Point(380, 60), road, 6);
    cv::line(map, cv::Point(60, 120), cv::Point(390, 300), road, 4);
    cv::ellipse(map, cv::Point(200, 420), cv::Size(260, 140), 0, 180, 360, cv::Scalar(230, 160, 90),
                10);
    cv::circle(map, cv::Point(200, 188), 12, cv::Scalar(60, 200, 60), cv::FILLED);
    cv::line(map, cv::Point(200, 200), cv::Point(200, 212), cv::Scalar(60, 200, 60), 4);
    cv::putText(map, "A", cv::Point(194, 194), cv::FONT_HERSHEY_SIMPLEX, 0.45, cv::Scalar(0, 0, 0),
                1);
    std::vector<std::uint8_t> png;
    EXPECT_TRUE(cv::imencode(".png", map, png));
    return std::string(png.begin(), png.end());
}

wxPoint RowCentre(CWndLbQELFile* list, std::size_t row) {
    const wxRect rect = list->GetItemRect(row);
    return wxPoint(rect.x + rect.width / 2, rect.y + rect.height / 2);
}

std::size_t RowOf(CWndLbQELFile* list, const std::string& name) {
    for (std::size_t i = 0; i < list->GetItemCount(); ++i) {
        if (list->RowRecord(i)->name == name) {
            return i;
        }
    }
    ADD_FAILURE() << name << " is not in the list";
    return 0;
}

::testing::AssertionResult BarFilled(wxWindow* bar, double share) {
    const wxImage shown = ClientPixels(bar);
    if (!shown.IsOk() || shown.GetWidth() == 0) {
        return ::testing::AssertionFailure() << "the bar is not shown";
    }
    // The theme fills with its blue selection colour on a grey trough.
    const int y = shown.GetHeight() / 2;
    int filled = 0;
    for (int x = 0; x < shown.GetWidth(); ++x) {
        filled += shown.GetBlue(x, y) > shown.GetRed(x, y) + 60 ? 1 : 0;
    }
    const double drawn = static_cast<double>(filled) / shown.GetWidth();
    if (std::abs(drawn - share) <= 0.02) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "the bar is drawn " << drawn << " full, not " << share;
}
