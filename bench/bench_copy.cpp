#include "bench/benches.h"

#include "bench/find_photos.h"
#include "catalogue/memory_list_view.h"
#include "records/copy_photos.h"
#include "titles/assign_titles.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

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

// Where the caches can be dropped (as root), each run starts with a cold source, as from a card
// just put in.
bool DropCaches() {
    sync();
    std::FILE* file = std::fopen("/proc/sys/vm/drop_caches", "w");
    const bool dropped = file != nullptr && std::fputs("3\n", file) >= 0;
    return file != nullptr && std::fclose(file) == 0 && dropped;
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

constexpr int kRounds = 3;
constexpr double kNoRunYet = 1e30;

// The next run starts without this one's deletions still to be written.
void Clear(const std::string& work) {
    std::filesystem::remove_all(work);
    sync();
}

double CopyPass(const std::vector<std::string>& photos, const std::string& target,
                const CopyOptions& options, CopyTally& tally) {
    MemoryListView sources;
    MemoryListView results;
    CManageQELFileInfo catalogue;
    catalogue.initCatalogue(&sources, &results, "");
    AddResults(catalogue, photos);
    // Chosen and made before the pass, as the program and the CLI do: the pass never makes it.
    std::filesystem::create_directories(target);
    const auto start = std::chrono::steady_clock::now();
    CopyPhotos(catalogue, target, nullptr, &tally, nullptr, options);
    return Since(start);
}

} // namespace

// The copy pass with its records and final sync, with and without reading every copy back,
// against `cp` followed by `sync` on the same files, each into a fresh folder beside the others.
// The source is in the page cache for every run, or, `cold`, dropped from it before each.
int BenchCopy(const std::string& folder, bool cold) {
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
    Clear(work);
    if (cold && !DropCaches()) {
        std::fprintf(stderr, "tessaro-bench: cannot drop the caches (root only)\n");
        return 1;
    }
    // The disk is shared with other work: the fastest of a few rounds, the three runs taking
    // turns in each.
    double cp = kNoRunYet;
    double unverified = kNoRunYet;
    double verified = kNoRunYet;
    CopyTally tally;
    for (int round = 0; round < kRounds; ++round) {
        const auto run = [&](double& fastest, const std::function<double()>& pass) {
            if (cold) {
                DropCaches();
            }
            const double seconds = pass();
            fastest = seconds >= 0 ? std::min(fastest, seconds) : fastest;
            Clear(work);
        };
        run(cp, [&] { return CpAndSync(photos, work + "cp"); });
        run(unverified, [&] {
            CopyTally unchecked;
            return CopyPass(photos, work + "unverified/", CopyOptions{.verify = false}, unchecked);
        });
        run(verified, [&] { return CopyPass(photos, work + "verified/", CopyOptions{}, tally); });
    }

    const double megabytes = bytes / 1e6;
    std::printf("photos %zu, %.1f MB, %s source, copied %d, failed %d (warm-up cp %.3f s), "
                "fastest of %d rounds\n",
                photos.size(), megabytes, cold ? "cold" : "warm", tally.copied, tally.failed, warm,
                kRounds);
    std::printf("cp + sync %.3f s, %.1f MB/s\n", cp, megabytes / cp);
    std::printf("copy pass unverified %.3f s, %.1f MB/s, %.2fx cp + sync\n", unverified,
                megabytes / unverified, unverified / cp);
    std::printf("copy pass verified %.3f s, %.1f MB/s, %.2fx cp + sync, %.2fx unverified\n",
                verified, megabytes / verified, verified / cp, verified / unverified);
    std::printf("%.1f photos/s\n", photos.size() / verified);
    return 0;
}
