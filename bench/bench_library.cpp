#include "bench/benches.h"

#include "catalogue/folder_scan.h"
#include "catalogue/memory_list_view.h"
#include "exif/analysis_pass.h"
#include "platform/local_time.h"
#include "platform/message_queue.h"
#include "records/copy_photos.h"
#include "titles/assign_titles.h"
#include "workflow/start_analysis.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

constexpr int kLibraryPhotos = 50000;
constexpr int kCardEvery = 5; // every fifth photo of the library is on the card again: 10,000
constexpr int kPhotosPerFolder = 1000;
constexpr std::int64_t kFirstShot = 1262304000; // 2010-01-01
constexpr std::int64_t kBetweenShots = 7919;    // some 12 years of photos, a few a day
constexpr int kWaitStepMs = 1000; // each wait for a pass is bounded; the passes are not

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string LittleEndian(std::uint32_t value, int width) {
    std::string bytes;
    for (int i = 0; i < width; ++i) {
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return bytes;
}

// The least a camera JPEG holds for the scan and the analysis: an APP1 with an Exif IFD that
// gives DateTimeOriginal, then a scan and EOI.
std::string SmallPhoto(const std::string& date) {
    std::string tiff = "II*" + std::string(1, '\0') + LittleEndian(8, 4);
    tiff += LittleEndian(1, 2) + LittleEndian(0x8769, 2) + LittleEndian(4, 2) + LittleEndian(1, 4) +
            LittleEndian(26, 4) + LittleEndian(0, 4);
    tiff += LittleEndian(1, 2) + LittleEndian(0x9003, 2) + LittleEndian(2, 2) +
            LittleEndian(20, 4) + LittleEndian(44, 4) + LittleEndian(0, 4);
    tiff += date + std::string(1, '\0');
    const std::string app1 = "Exif" + std::string(2, '\0') + tiff;
    const std::uint32_t length = static_cast<std::uint32_t>(app1.size() + 2);
    return std::string("\xFF\xD8\xFF\xE1") + static_cast<char>(length >> 8) +
           static_cast<char>(length & 0xFF) + app1 + "\xFF\xDA" + std::string(1, '\0') + "\x02" +
           "\xFF\xD9";
}

bool Write(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream file(path, std::ios::binary);
    file << bytes;
    return static_cast<bool>(file.flush());
}

// The library's photos, as cameras name them, and the card that holds every fifth again.
bool MakePhotos(const std::string& library, const std::string& card) {
    for (int i = 0; i < kLibraryPhotos; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "DCIM/%03dCAMERA/IMG_%04d.JPG", 100 + i / kPhotosPerFolder,
                      i % 10000);
        const std::string photo =
            SmallPhoto(FormatDateTime(SecondsToLocal(kFirstShot + i * kBetweenShots)));
        if (!Write(library + name, photo) || (i % kCardEvery == 0 && !Write(card + name, photo))) {
            std::perror(name);
            return false;
        }
    }
    return true;
}

struct Import {
    double scan = 0;
    double analysis = 0;
    double titles = 0;
    double copy = 0;
    CopyTally tally;
};

void WaitFor(MessageQueue& window, const std::function<bool()>& done) {
    while (!window.dispatchUntil(done, kWaitStepMs)) {
    }
}

// STEP2 to STEP6 as `tessaro-cli sort --no-geocode` runs them, each step timed.
Import Sort(const std::string& source, const std::string& destination) {
    MemoryListView sourceRows;
    MemoryListView resultRows;
    MessageQueue window([](const WindowMessage&) {});
    CManageQELFileInfo catalogue;
    catalogue.initCatalogue(&sourceRows, &resultRows, "");
    Import import;
    auto start = std::chrono::steady_clock::now();
    startSearch(catalogue, source, &window);
    WaitFor(window, [&] { return catalogue.scanJob->running.load() == 0; });
    catalogue.scanThread.join();
    import.scan = Since(start);
    start = std::chrono::steady_clock::now();
    startAnalysis(catalogue, &window, ExifAnalysisWorker);
    WaitFor(window, [&] { return catalogue.analysisJob->running.load() == 0; });
    catalogue.analysisThread.join();
    window.dispatch();
    import.analysis = Since(start);
    start = std::chrono::steady_clock::now();
    assignTitles(catalogue, nullptr);
    import.titles = Since(start);
    start = std::chrono::steady_clock::now();
    CopyPhotos(catalogue, destination, &window, &import.tally);
    window.dispatch();
    import.copy = Since(start);
    return import;
}

// Every title folder below `library` renamed, as users name their days and years.
int RenameFolders(const std::string& library) {
    int renamed = 0;
    for (const auto& year : fs::directory_iterator(library)) {
        if (!year.is_directory() || year.path().filename().string().starts_with("TS")) {
            continue;
        }
        for (const auto& day : fs::directory_iterator(year.path())) {
            if (day.is_directory() && !day.path().filename().string().starts_with("TS")) {
                fs::rename(day.path(), day.path().string() + "旅行");
                ++renamed;
            }
        }
        fs::rename(year.path(), year.path().string() + "の写真");
        ++renamed;
    }
    return renamed;
}

void Print(const char* what, const Import& import) {
    std::printf("%s: scan %.3f s, analysis %.3f s, titles %.3f s, copy %.3f s; copied %d, "
                "skipped %d (elsewhere %d), failed %d\n",
                what, import.scan, import.analysis, import.titles, import.copy, import.tally.copied,
                import.tally.skipped, import.tally.elsewhere, import.tally.failed);
}

} // namespace

// A library of 50,000 photos whose folders are then all renamed, and a card of 10,000 of them
// sorted into it again: the copy step must find every one and copy none.
int BenchLibrary(const std::string& folder) {
    const std::string work = folder + "tessaro-bench-library/";
    fs::remove_all(work);
    const std::string photos = work + "photos/";
    const std::string card = work + "card/";
    const std::string library = work + "library/";
    if (!MakePhotos(photos, card)) {
        return 1;
    }
    const Import first = Sort(photos, library);
    Print("first import", first);
    std::printf("folders renamed %d\n", RenameFolders(library));
    const Import again = Sort(card, library);
    Print("card again", again);
    std::printf("copy step %.3f s beyond the scan's %.3f s\n", again.copy, again.scan);
    fs::remove_all(work);
    std::printf("%.1f photos/s\n", (kLibraryPhotos / kCardEvery) / again.copy);
    return again.tally.copied == 0 && again.tally.skipped == kLibraryPhotos / kCardEvery ? 0 : 1;
}
