#include "bench/benches.h"

#include "bench/find_photos.h"
#include "catalogue/memory_list_view.h"
#include "catalogue/thumbnail_phase.h"
#include "image/camera_preview.h"
#include "image/make_thumbnail.h"
#include "image/pixels_mat.h"

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr ImageBox kListBox{0, 0, 30, 30};
constexpr double kCardPhotos = 10000;
constexpr double kLeastTiming = 1.0;

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// vipsthumbnail over the photos into `target`, one process per thread of ours, each over its
// share; the wall time, or a negative one when a process could not run or failed.
double TimeVips(const std::vector<std::string>& photos, unsigned processes,
                const std::string& target) {
    std::vector<pid_t> started;
    const std::string output = target + "%s.png";
    const auto start = std::chrono::steady_clock::now();
    for (unsigned p = 0; p < processes; ++p) {
        std::vector<std::string> args{"vipsthumbnail", "-s", "30x30", "-o", output};
        for (std::size_t i = p; i < photos.size(); i += processes) {
            args.push_back(photos[i]);
        }
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        pid_t child = 0;
        if (posix_spawnp(&child, "vipsthumbnail", nullptr, nullptr, argv.data(), environ) == 0) {
            started.push_back(child);
        }
    }
    bool failed = started.size() != processes;
    for (const pid_t child : started) {
        int status = 0;
        failed |=
            waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0;
    }
    return failed ? -1 : Since(start);
}

// How far the thumbnails from the camera's previews are from those of the decoded photos: the
// mean difference per sample, over all and of the photo that differs most.
struct Difference {
    double total = 0;
    double worst = 0;
    bool sizesDiffer = false;

    void Add(const QELImage& fromPreview, const QELImage& decoded) {
        const cv::Mat a = MatOf(*fromPreview.image);
        const cv::Mat b = decoded.image ? MatOf(*decoded.image) : cv::Mat();
        if (a.size() != b.size() || a.type() != b.type()) {
            sizesDiffer = true;
            return;
        }
        const double mean =
            cv::norm(a, b, cv::NORM_L1) / static_cast<double>(a.total() * a.channels());
        total += mean;
        worst = std::max(worst, mean);
    }
};

// One thumbnail phase over fresh records of the photos, each with a real mutex.
struct Round {
    std::vector<std::unique_ptr<QELFileInfo>> records;
    std::unique_ptr<std::mutex> mutex = std::make_unique<std::mutex>();
    double seconds = 0;
    std::size_t announced = 0;
    bool inOrder = true;
};

Round RunRound(const std::vector<std::string>& photos, unsigned threads) {
    Round round;
    MemoryListView rows;
    for (const std::string& path : photos) {
        round.records.push_back(std::make_unique<QELFileInfo>());
        round.records.back()->mutex = round.mutex.get();
        round.records.back()->path = path;
        rows.AddRow(round.records.back().get());
    }
    const std::atomic<int> running{1};
    const auto start = std::chrono::steady_clock::now();
    MakeThumbnailsInRowOrder(rows, MakeThumbnail, kListBox, running, threads,
                             [&](QELFileInfo* record) {
                                 round.inOrder &= record == round.records[round.announced].get();
                                 ++round.announced;
                             });
    round.seconds = Since(start);
    return round;
}

// Each thumbnail as a PNG named after its photo's path below `folder`, '/' as '_'.
void SaveThumbnails(const std::vector<std::unique_ptr<QELFileInfo>>& records,
                    const std::string& folder, const std::string& target) {
    std::filesystem::create_directories(target);
    for (const auto& record : records) {
        if (!record->thumbnail.image) {
            continue;
        }
        std::string name = record->path.substr(folder.size());
        std::replace(name.begin(), name.end(), '/', '_');
        const std::string file = (std::filesystem::path(target) / name).replace_extension(".png");
        if (!cv::imwrite(file, MatOf(*record->thumbnail.image))) {
            std::fprintf(stderr, "tessaro-bench: cannot write %s\n", file.c_str());
        }
    }
}

} // namespace

// The thumbnail phase's own work as its worker does it, on its threads and announcing in row
// order: each record with a real mutex, each thumbnail fitted into the list's 30 x 30 box. Then
// vipsthumbnail over the same photos with as many processes, for comparison.
int BenchThumbs(const std::string& folder, const std::string& saveDir) {
    const std::vector<std::string> photos = FindPhotos(folder);
    if (photos.empty()) {
        std::fprintf(stderr, "tessaro-bench: no .JPG below %s\n", folder.c_str());
        return 1;
    }
    const unsigned threads = ThumbnailThreads();
    Round round = RunRound(photos, threads);
    int rounds = 1;
    double seconds = round.seconds;
    // A round over previews takes a few hundredths of a second: more of them steady the figure.
    while (seconds < kLeastTiming) {
        round = RunRound(photos, threads);
        seconds += round.seconds;
        ++rounds;
    }
    const auto& records = round.records;
    const bool inOrder = round.inOrder;
    const std::size_t announced = round.announced;

    std::size_t made = 0;
    std::size_t fromPreview = 0;
    Difference difference;
    for (const auto& record : records) {
        made += static_cast<std::size_t>(record->thumbReady);
        if (record->thumbnail.image && PreviewThumbnail(record->path, kListBox).image) {
            ++fromPreview;
            difference.Add(record->thumbnail, DecodedThumbnail(record->path, kListBox));
        }
    }
    const double rate = static_cast<double>(photos.size()) * rounds / seconds;
    std::printf("photos %zu, thumbnails %zu (%zu from the camera's preview), failed %zu, "
                "announced in row order: %s\n",
                photos.size(), made, fromPreview, photos.size() - made,
                inOrder && announced == photos.size() ? "yes" : "NO");
    if (fromPreview > 0) {
        std::printf("from the preview against from the decoded photo: mean difference %.2f, "
                    "worst photo's %.2f levels of 255%s\n",
                    difference.total / static_cast<double>(fromPreview), difference.worst,
                    difference.sizesDiffer ? ", SIZES DIFFER" : "");
    }
    std::printf("thumbnails on %u threads %.3f s for %d rounds, %.2f ms per photo\n", threads,
                seconds, rounds, 1000.0 / rate);
    std::printf("10,000 such photos: %.1f s\n", kCardPhotos / rate);

    const std::string vipsDir = std::filesystem::temp_directory_path() / "tessaro-bench-vips/";
    std::filesystem::remove_all(vipsDir);
    std::filesystem::create_directories(vipsDir);
    const double vips = TimeVips(photos, threads, vipsDir);
    std::filesystem::remove_all(vipsDir);
    if (vips > 0) {
        const double vipsRate = static_cast<double>(photos.size()) / vips;
        std::printf("vipsthumbnail -s 30x30 in %u processes %.3f s, %.1f photos/s; ours %.1f "
                    "times as fast\n",
                    threads, vips, vipsRate, rate / vipsRate);
    } else {
        std::printf("vipsthumbnail did not run (scripts/install-deps.sh --bench)\n");
    }
    if (!saveDir.empty()) {
        SaveThumbnails(records, folder, saveDir);
    }
    std::printf("%.1f photos/s\n", rate);
    return made == photos.size() && inOrder && announced == photos.size() ? 0 : 1;
}
