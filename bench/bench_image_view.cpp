// The image view with a 24-megapixel photo: from ShowImageFile (what selecting a row calls) until
// the view has painted, and a resize, which rescales from the kept picture (the photo as large as
// the screen can show it).

#include "bench/benches.h"
#include "ui/wnd_view_image.h"

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 5;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A camera-like 6000 x 4000 photo: shapes on a gradient with sensor grain, quality 92.
bool MakePhoto(const std::string& path) {
    cv::Mat photo(4000, 6000, CV_8UC3);
    for (int y = 0; y < photo.rows; ++y) {
        photo.row(y).setTo(cv::Scalar(60 + y / 40, 120, 200 - y / 40));
    }
    cv::RNG random(7);
    for (int i = 0; i < 200; ++i) {
        cv::circle(
            photo, cv::Point(random.uniform(0, 6000), random.uniform(0, 4000)),
            random.uniform(40, 600),
            cv::Scalar(random.uniform(0, 256), random.uniform(0, 256), random.uniform(0, 256)), -1);
    }
    cv::Mat grain(photo.size(), CV_8UC3);
    cv::randn(grain, 0, 12);
    photo += grain;
    return cv::imwrite(path, photo, {cv::IMWRITE_JPEG_QUALITY, 92});
}

} // namespace

int BenchImageView(std::string photo) {
    if (photo.empty()) {
        photo = std::filesystem::temp_directory_path() / "tessaro-bench-24mp.jpg";
        if (!std::filesystem::exists(photo) && !MakePhoto(photo)) {
            std::fprintf(stderr, "tessaro-bench-window: cannot make %s\n", photo.c_str());
            return 2;
        }
    }
    auto* view = new CWndViewImage(nullptr);
    view->Show();
    std::vector<double> shown;
    std::vector<double> resized;
    for (int run = 0; run < kRuns; ++run) {
        view->SetClientSize(200, 170);
        view->ShowImageFile(std::string());
        auto start = Clock::now();
        if (view->ShowImageFile(photo) != 1) {
            std::fprintf(stderr, "tessaro-bench-window: %s is no photo\n", photo.c_str());
            return 2;
        }
        shown.push_back(MillisecondsSince(start));
        start = Clock::now();
        view->SetClientSize(640 + run, 480);
        view->Update();
        resized.push_back(MillisecondsSince(start));
    }
    const QELImage& kept = view->fullImage();
    std::printf("%s: %d x %d, kept at 1/%d as %d x %d\n", photo.c_str(), kept.photoSize.width,
                kept.photoSize.height, kept.scale, kept.image->width, kept.image->height);
    std::printf("selection to paint, run by run:");
    for (const double ms : shown) {
        std::printf(" %.1f", ms);
    }
    std::printf(" ms\n");
    std::printf("selection to paint: best %.1f ms, worst %.1f ms of %d\n",
                *std::min_element(shown.begin(), shown.end()),
                *std::max_element(shown.begin(), shown.end()), kRuns);
    std::printf("resize to paint: best %.1f ms, worst %.1f ms of %d\n",
                *std::min_element(resized.begin(), resized.end()),
                *std::max_element(resized.begin(), resized.end()), kRuns);
    view->Destroy();
    return 0;
}
