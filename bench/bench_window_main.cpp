// tessaro-bench-window FOLDER: the search into the main window against the same search into
// lists without a window (as `tessaro-bench scan` times it), then scrolling the filled source
// list. When FOLDER does not exist yet it is made first: 20,000 small photos in 100 folders.
// tessaro-bench-window view [PHOTO]: the image view showing a photo (a generated 24-megapixel
// one by default) and being resized.
// Runs on an X display (xvfb-run), as bench/window_bench.sh starts it.

#include "bench/benches.h"
#include "ui/control_ids.h"
#include "ui/tessaro_dlg.h"
#include "ui/wnd_lb_qel_file.h"

#include <opencv2/imgcodecs.hpp>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/timer.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFolders = 100;
constexpr int kPhotosPerFolder = 200;
constexpr int kRuns = 3;

double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

bool MakeCorpus(const std::string& folder) {
    namespace fs = std::filesystem;
    cv::Mat picture(48, 64, CV_8UC3);
    cv::randu(picture, 0, 255);
    std::vector<unsigned char> bytes;
    if (!cv::imencode(".jpg", picture, bytes)) {
        return false;
    }
    const std::string building = folder + ".building";
    for (int f = 0; f < kFolders; ++f) {
        const fs::path sub = fs::path(building) / ("DCIM/" + std::to_string(100 + f) + "CAMERA");
        fs::create_directories(sub);
        for (int p = 1; p <= kPhotosPerFolder; ++p) {
            char name[32];
            std::snprintf(name, sizeof name, "DSC%05d.JPG", f * kPhotosPerFolder + p);
            std::FILE* out = std::fopen((sub / name).c_str(), "wb");
            if (out == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) {
                return false;
            }
            std::fclose(out);
        }
    }
    fs::rename(building, folder);
    return true;
}

// Runs the program's event loop, as the program itself would, until `done` holds.
bool RunUntil(const std::function<bool()>& done, double seconds) {
    const auto start = Clock::now();
    wxGUIEventLoop loop;
    wxTimer check;
    bool held = false;
    check.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        held = done();
        if (held || Since(start) > seconds) {
            loop.Exit();
        }
    });
    check.Start(1);
    loop.Run();
    return held;
}

void Press(CTessaroDlg& window, int id) {
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(window.FindWindow(id));
    window.FindWindow(id)->ProcessWindowEvent(click);
}

struct WindowScanTimes {
    double walkEnded = 0; // the end-of-walk message handled: steps 1 to 3 enabled
    double rowsShown = 0; // and the list shows every row
};

// From STEP2 until the walk's end has been handled and the list shows every row.
WindowScanTimes WindowScan(CTessaroDlg& window, CWndLbQELFile& list, std::size_t rows) {
    WindowScanTimes times;
    const auto start = Clock::now();
    Press(window, kIdStep2);
    RunUntil(
        [&] {
            if (times.walkEnded == 0 && window.workflow().state() == WorkflowState::Searched) {
                times.walkEnded = Since(start);
            }
            return times.walkEnded > 0 && list.GetItemCount() == rows;
        },
        600);
    times.rowsShown = Since(start);
    return times;
}

struct ScrollTimes {
    double mean = 0;
    double worst = 0;
};

// Each step scrolls by a page (or jumps, as a dragged scroll bar does) and waits until the new
// rows have been painted.
ScrollTimes Scroll(CWndLbQELFile& list, bool jump) {
    std::vector<double> times;
    const std::size_t rows = list.GetItemCount();
    for (std::size_t step = 0; step < 300; ++step) {
        const auto start = Clock::now();
        if (jump) {
            list.ScrollToRow((step * 7919) % rows);
        } else {
            list.ScrollPages(1);
        }
        list.Update();
        times.push_back(Since(start) * 1000);
    }
    ScrollTimes result;
    for (const double t : times) {
        result.mean += t / times.size();
        result.worst = std::max(result.worst, t);
    }
    return result;
}

int Bench(std::string folder) {
    if (folder.back() != '/') {
        folder += '/';
    }
    if (!std::filesystem::exists(folder) && !MakeCorpus(folder.substr(0, folder.size() - 1))) {
        std::fprintf(stderr, "tessaro-bench-window: cannot make %s\n", folder.c_str());
        return 2;
    }
    const std::string config = std::filesystem::temp_directory_path() / "tessaro-bench-window";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);

    double baseline = 1e9;
    ScanTiming timing;
    for (int run = 0; run < kRuns; ++run) {
        timing = TimeScan(folder);
        baseline = std::min(baseline, timing.seconds);
    }
    std::printf("rows %zu (photos %zu)\n", timing.rows, timing.photos);
    std::printf("scan into lists without a window: best %.3f s of %d\n", baseline, kRuns);

    auto* window = new CTessaroDlg("/usr/bin/tessaro");
    window->Show();
    RunUntil([&] { return window->IsShownOnScreen(); }, 30);
    window->setSourceFolderText(folder);
    auto& list = *dynamic_cast<CWndLbQELFile*>(window->FindWindow(kIdSourceList));
    WindowScanTimes best{1e9, 1e9};
    for (int run = 0; run < kRuns; ++run) {
        // Each search starts as the first one did, with no thumbnail phase left to stop.
        RunUntil([&] { return window->catalogue().scanJob->running.load() == 0; }, 1800);
        const WindowScanTimes times = WindowScan(*window, list, timing.rows);
        best.walkEnded = std::min(best.walkEnded, times.walkEnded);
        best.rowsShown = std::min(best.rowsShown, times.rowsShown);
    }
    std::printf("scan into the window: walk ended after best %.3f s, every row shown after best "
                "%.3f s of %d (%.2f times)\n",
                best.walkEnded, best.rowsShown, kRuns, best.rowsShown / baseline);

    const auto thumbnails = Clock::now();
    RunUntil([&] { return window->catalogue().scanJob->running.load() == 0; }, 1800);
    std::printf("thumbnail phase: %.1f s\n", Since(thumbnails));
    for (const bool jump : {false, true}) {
        const ScrollTimes times = Scroll(list, jump);
        std::printf("%s: %.2f ms mean, %.2f ms worst per step (300 steps)\n",
                    jump ? "jumps through the list" : "page by page", times.mean, times.worst);
    }
    window->Destroy();
    RunUntil([] { return wxTopLevelWindows.empty(); }, 10);
    return 0;
}

class BenchApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

} // namespace

int main(int argc, char** argv) {
    const bool view = argc >= 2 && std::string(argv[1]) == "view";
    if (view ? argc > 3 : argc != 2) {
        std::fprintf(stderr, "usage: tessaro-bench-window FOLDER | view [PHOTO]\n");
        return 2;
    }
    wxApp::SetInstance(new BenchApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        return 2;
    }
    std::setlocale(LC_NUMERIC, "C");
    int status = 0;
    {
        wxGUIEventLoop loop;
        wxEventLoopActivator active(&loop);
        status = view ? BenchImageView(argc == 3 ? argv[2] : "") : Bench(argv[1]);
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return status;
}
