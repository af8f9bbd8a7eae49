#include "tests/loopback_server.h"
#include "tests/test_support.h"
#include "tests/window_driver.h"
#include "tests/window_fixture.h"
#include "tests/x11_windows.h"
#include "ui/tessaro_layout.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/frame.h>
#include <wx/uiaction.h>

#include <spawn.h>
#include <sys/wait.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

// The program itself, started as a user would start it, with the environment it is given.
class Program {
public:
    Program(const std::string& path, const std::vector<std::string>& settings) {
        std::vector<std::string> environment = settings;
        for (char** variable = environ; *variable != nullptr; ++variable) {
            environment.emplace_back(*variable);
        }
        std::vector<char*> envp;
        for (std::string& variable : environment) {
            envp.push_back(variable.data());
        }
        envp.push_back(nullptr);
        std::string program = path;
        char* argv[] = {program.data(), nullptr};
        started_ = posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv, envp.data()) == 0;
    }
    ~Program() {
        if (started_ && !ended_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    bool started() const { return started_; }
    // True once the program has ended by itself; its exit status is then in `status`.
    bool ended(int& status) {
        if (!ended_ && waitpid(pid_, &status_, WNOHANG) == pid_) {
            ended_ = true;
        }
        status = status_;
        return ended_;
    }

private:
    pid_t pid_ = 0;
    int status_ = 0;
    bool started_ = false;
    bool ended_ = false;
};

// The program ends within a second (its exit waits for nothing of the network's); the limits
// here leave room for a busy machine and for AddressSanitizer's leak check at the end, and the
// times taken are recorded with the test's result.
constexpr auto kHideLimit = std::chrono::seconds(1);
constexpr auto kExitLimit = std::chrono::seconds(4);

// Clicks the main window at the centre of a control placed at `x`, `y` (`width` x `height`) in
// dialog units.
void ClickControl(const wxPoint& origin, int x, int y, int width, int height) {
    wxUIActionSimulator input;
    input.MouseMove(
        origin + wxPoint(DialogUnitsToPixels(x + width / 2), DialogUnitsToPixels(y + height / 2)));
    input.MouseClick();
}

} // namespace

TEST(DesktopProgram, startsOnAFreshAccountTakesStep1FromItsButtonAndExitsOnEscape) {
    TempDir home;
    TempDir card;
    WriteFile(home.path() + "answers.txt", card.path() + "\n");
    // A service with nothing behind it: the probe fails at once instead of going out.
    WriteFile(home.path() + "config/tessaro/tessaroInit.Ini",
              "[Service]\nGeocodeURL=http://127.0.0.1:" + std::to_string(ClosedPort()) + "\n");
    Program program(TESSARO_DESKTOP, {"XDG_CONFIG_HOME=" + home.path() + "config",
                                      "XDG_CACHE_HOME=" + home.path() + "cache",
                                      "TESSARO_FOLDER_ANSWERS=" + home.path() + "answers.txt"});
    ASSERT_TRUE(program.started());
    // The input simulator scales by a top window of the test's own, realised but not shown.
    wxFrame anchor(nullptr, wxID_ANY, "anchor");
    gtk_widget_realize(anchor.GetHandle());
    wxPoint origin;
    wxSize size;
    int status = 0;
    ASSERT_TRUE(RunUntil(
        [&] { return FindTopLevelWindow("Tessaro", origin, size) || program.ended(status); },
        20000));
    ASSERT_FALSE(program.ended(status)) << "the program ended at once, status " << status;
    EXPECT_EQ(size, wxSize(875, 686));
    // On the 1920 x 1080 screen the image view, large enough for a photo, and the map view below
    // it stand beside the main window, not over it (without a window manager, a window's outer
    // size is its client size).
    const wxRect main(origin, size);
    const wxRect screen(0, 0, 1920, 1080);
    wxPoint viewOrigin;
    wxSize viewSize;
    ASSERT_TRUE(RunUntil([&] { return FindTopLevelWindow("イメージ表示", viewOrigin, viewSize); }));
    const wxRect image(viewOrigin, viewSize);
    EXPECT_EQ(viewSize, wxSize(640, 480));
    ASSERT_TRUE(RunUntil([&] { return FindTopLevelWindow("地図の表示", viewOrigin, viewSize); }));
    const wxRect map(viewOrigin, viewSize);
    EXPECT_EQ(viewSize, wxSize(400, 400));
    for (const wxRect& view : {image, map}) {
        EXPECT_FALSE(view.Intersects(main)) << view.x << ", " << view.y;
        EXPECT_TRUE(screen.Contains(view)) << view.x << ", " << view.y;
    }
    EXPECT_FALSE(image.Intersects(map));

    const std::string settings = home.path() + "config/tessaro/tessaroInit.Ini";
    // STEP1 sits at 4, 3 (92 x 14 dialog units).
    wxUIActionSimulator input;
    input.MouseMove(origin + wxPoint(DialogUnitsToPixels(4 + 46), DialogUnitsToPixels(3 + 7)));
    input.MouseClick();
    ASSERT_TRUE(RunUntil([&] {
        return ReadFile(settings).find("FolderSTEP1=" + card.path()) != std::string::npos;
    }));

    // The pointer rests on the window, so the key goes to it.
    input.Char(WXK_ESCAPE);
    ASSERT_TRUE(RunUntil([&] { return program.ended(status); }, 20000));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(DesktopProgram, endsWithinASecondOfExitWhileTheGeocodingServiceNeverAnswers) {
    TempDir home;
    TempDir card;
    MakeCard(card.path());
    std::atomic<int> requests{0};
    std::atomic<bool> release{false};
    LoopbackServer service([&](const httplib::Request&, httplib::Response&) {
        ++requests;
        while (!release) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    WriteFile(home.path() + "answers.txt", card.path() + "\n");
    WriteFile(home.path() + "config/tessaro/tessaroInit.Ini",
              "[Service]\nGeocodeURL=" + service.url() + "\n");
    Program program(TESSARO_DESKTOP, {"XDG_CONFIG_HOME=" + home.path() + "config",
                                      "TESSARO_FOLDER_ANSWERS=" + home.path() + "answers.txt"});
    ASSERT_TRUE(program.started());
    wxFrame anchor(nullptr, wxID_ANY, "anchor");
    gtk_widget_realize(anchor.GetHandle());
    wxPoint origin;
    wxSize size;
    int status = 0;
    ASSERT_TRUE(RunUntil([&] { return FindTopLevelWindow("Tessaro", origin, size); }, 20000));
    // The start-up probe waits for its answer; STEP1 to STEP3 send the analysis after it.
    ASSERT_TRUE(RunUntil([&] { return requests.load() == 1; }));
    const std::string settings = home.path() + "config/tessaro/tessaroInit.Ini";
    ClickControl(origin, 4, 3, 92, 14);
    ASSERT_TRUE(RunUntil([&] {
        return ReadFile(settings).find("FolderSTEP1=" + card.path()) != std::string::npos;
    }));
    ClickControl(origin, 4, 20, 92, 14);
    // STEP3 takes a click only once the search has ended; the analysis it starts asks the service.
    ASSERT_TRUE(RunUntil(
        [&] {
            ClickControl(origin, 98, 20, 92, 14);
            return RunUntil([&] { return requests.load() == 2; }, 200);
        },
        20000))
        << "no analysis under way";

    ClickControl(origin, 523, 4, 56, 14); // 終了
    const auto pressed = std::chrono::steady_clock::now();
    ASSERT_TRUE(RunUntil([&] { return !FindTopLevelWindow("Tessaro", origin, size); }, 5000));
    const auto hidden = std::chrono::steady_clock::now() - pressed;
    ASSERT_TRUE(RunUntil([&] { return program.ended(status); }, 5000));
    const auto ended = std::chrono::steady_clock::now() - pressed;
    release = true;
    const auto ms = [](auto duration) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(duration).count();
    };
    RecordProperty("hidden_ms", static_cast<int>(ms(hidden)));
    RecordProperty("ended_ms", static_cast<int>(ms(ended)));
    EXPECT_LT(hidden, kHideLimit) << "the window goes at once";
    EXPECT_LT(ended, kExitLimit);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
