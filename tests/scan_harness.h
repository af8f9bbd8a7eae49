#pragma once

#include "catalogue/folder_scan.h"
#include "catalogue/memory_list_view.h"
#include "platform/message_queue.h"

#include <gtest/gtest.h>

#include <vector>

// A catalogue with in-memory lists whose messages are dispatched on the test's thread and
// kept, as the main window would receive them.
struct ScanHarness {
    MemoryListView sourceRows;
    MemoryListView resultRows;
    std::vector<WindowMessage> messages;
    MessageQueue window{[this](const WindowMessage& m) { messages.push_back(m); }};
    CManageQELFileInfo catalogue;

    ScanHarness() { catalogue.initCatalogue(&sourceRows, &resultRows, ""); }

    // Runs a whole search, thumbnail phase included, and joins the worker.
    void search(const std::string& folder) {
        ASSERT_EQ(startSearch(catalogue, folder, &window), 0);
        ASSERT_TRUE(
            window.dispatchUntil([&] { return catalogue.scanJob->running.load() == 0; }, 60000));
        catalogue.scanThread.join();
        window.dispatch();
    }

    std::vector<WindowMessage> messagesOf(unsigned id) const {
        std::vector<WindowMessage> found;
        for (const auto& m : messages) {
            if (m.id == id) {
                found.push_back(m);
            }
        }
        return found;
    }
};
