#include "bench/benches.h"

#include "catalogue/folder_scan.h"
#include "catalogue/memory_list_view.h"
#include "platform/message_queue.h"

#include <chrono>
#include <cstdio>

ScanTiming TimeScan(const std::string& folder) {
    MemoryListView sourceRows;
    MemoryListView resultRows;
    bool ended = false;
    MessageQueue window([&](const WindowMessage& m) {
        ended = ended || (m.id == UM_THUMB_PROGRESS && m.lParam == 0);
    });
    CManageQELFileInfo catalogue;
    catalogue.initCatalogue(&sourceRows, &resultRows, "");

    const auto start = std::chrono::steady_clock::now();
    startSearch(catalogue, folder, &window);
    // The worker's last message, sent, so it is handled the moment it comes.
    window.dispatchUntil([&] { return ended; }, 600000);
    catalogue.scanThread.join();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return {seconds, catalogue.folders.size(), catalogue.photos.size(), sourceRows.RowCount()};
}

// The walk alone, as the search worker does it (no thumbnail maker), with its progress posted
// to a queue that this thread drains as the UI thread would.
int BenchScan(const std::string& folder) {
    const ScanTiming timing = TimeScan(folder);
    std::printf("folders %zu, photos %zu, rows %zu\n", timing.folders, timing.photos, timing.rows);
    std::printf("walk %.3f s\n", timing.seconds);
    std::printf("%.1f photos/s\n", timing.seconds > 0 ? timing.photos / timing.seconds : 0.0);
    return 0;
}
