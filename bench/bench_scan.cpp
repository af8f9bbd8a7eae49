#include "bench/benches.h"

#include "catalogue/folder_scan.h"
#include "catalogue/memory_list_view.h"
#include "platform/message_queue.h"

#include <chrono>
#include <cstdio>

// The walk alone, as the search worker does it (no thumbnail maker), with its progress posted
// to a queue that this thread drains as the UI thread would.
int BenchScan(const std::string& folder) {
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

    const std::size_t photos = catalogue.photos.size();
    std::printf("folders %zu, photos %zu, rows %zu\n", catalogue.folders.size(), photos,
                sourceRows.RowCount());
    std::printf("walk %.3f s\n", seconds);
    std::printf("%.1f photos/s\n", seconds > 0 ? photos / seconds : 0.0);
    return 0;
}
