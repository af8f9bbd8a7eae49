#include "bench/benches.h"

#include "bench/find_photos.h"
#include "catalogue/memory_list_view.h"
#include "records/copy_photos.h"
#include "titles/assign_titles.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace {

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The photos as the title pass leaves them: one year, one day, each under its own name.
void AddResults(CManageQELFileInfo& catalogue, const std::vector<std::string>& photos) {
    for (std::size_t i = 0; i < photos.size(); ++i) {
        auto photo = std::make_unique<QELFileInfo>();
        photo->path = photos[i];
        photo->name = std::filesystem::path(photos[i]).filename().string();
        photo->shootTime = 1577869200 + static_cast<std::int64_t>(i) * 60;
        catalogue.photos.push_back(std::move(photo));
    }
    catalogue.options.fileChoice = 3; // numbers: names never collide
    assignTitles(catalogue, nullptr);
}

double CpAndSync(const std::vector<std::string>& photos, const std::string& target) {
    std::string command = "mkdir -p '" + target + "' && cp";
    for (const std::string& photo : photos) {
        command += " '" + photo + "'";
    }
    command += " '" + target + "' && sync";
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    return status == 0 ? Since(start) : -1;
}

} // namespace

// The copy pass with its records and final sync against `cp` followed by `sync` on the same
// files, each into a fresh folder beside the other, the source in the page cache for both.
int BenchCopy(const std::string& folder) {
    std::vector<std::string> photos = FindPhotos(folder);
    std::uint64_t bytes = 0;
    for (const std::string& photo : photos) {
        struct stat status {};
        stat(photo.c_str(), &status);
        bytes += static_cast<std::uint64_t>(status.st_size);
    }
    if (photos.empty()) {
        std::fprintf(stderr, "tessaro-bench: no .JPG below %s\n", folder.c_str());
        return 1;
    }
    const std::string work = std::filesystem::temp_directory_path() / "tessaro-bench-copy/";
    std::filesystem::remove_all(work);
    const double warm = CpAndSync(photos, work + "warm");
    const double cp = CpAndSync(photos, work + "cp");
    MemoryListView sources;
    MemoryListView results;
    CManageQELFileInfo catalogue;
    catalogue.initCatalogue(&sources, &results, "");
    AddResults(catalogue, photos);
    const auto start = std::chrono::steady_clock::now();
    CopyTally tally;
    CopyPhotos(catalogue, work + "tessaro/", nullptr, &tally);
    const double ours = Since(start);
    std::filesystem::remove_all(work);

    const double megabytes = bytes / 1e6;
    std::printf("photos %zu, %.1f MB, copied %d, failed %d (warm-up cp %.3f s)\n", photos.size(),
                megabytes, tally.copied, tally.failed, warm);
    std::printf("cp + sync %.3f s, %.1f MB/s\n", cp, megabytes / cp);
    std::printf("copy pass %.3f s, %.1f MB/s, %.0f%% of cp + sync\n", ours, megabytes / ours,
                100 * cp / ours);
    std::printf("%.1f photos/s\n", photos.size() / ours);
    return 0;
}
