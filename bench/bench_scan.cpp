#include "bench/benches.h"

#include "catalogue/folder_scan.h"
#include "catalogue/memory_list_view.h"
#include "platform/message_queue.h"

#include <chrono>
#include <cstdio>

// The walk alone, as the search worker does it, with progress posted to a queue that the
// bench drains afterwards (as the UI thread would, off the worker's path).
int BenchScan(const std::string& folder) {
    MemoryListView sourceRows;
    MemoryListView resultRows;
    MessageQueue window([](const WindowMessage&) {});
    CManageQELFileInfo catalogue;
    catalogue.initCatalogue(&sourceRows, &resultRows, "");

    const auto start = std::chrono::steady_clock::now();
    startSearch(catalogue, folder, &window);
    window.dispatchUntil([&] { return catalogue.scanJob.running.load() == 0; }, 600000);
    stopWorkers(catalogue);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const std::size_t photos = catalogue.photos.size();
    std::printf("folders %zu, photos %zu, rows %zu\n", catalogue.folders.size(), photos,
                sourceRows.RowCount());
    std::printf("walk %.3f s\n", seconds);
    std::printf("%.1f photos/s\n", seconds > 0 ? photos / seconds : 0.0);
    return 0;
}
