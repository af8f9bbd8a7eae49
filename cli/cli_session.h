#pragma once

#include "catalogue/manage_qel_file_info.h"
#include "catalogue/memory_list_view.h"
#include "cli/cli_options.h"
#include "cli/progress_bar.h"
#include "platform/message_queue.h"
#include "records/copy_photos.h"

#include <optional>
#include <string>

// The desktop program's steps 2 to 6 without a window: the same passes over a catalogue whose
// lists live in memory, their messages handled on this thread.
class CliSession {
public:
    CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    // Settings file, title options with the --set overrides, geocoding service, copy options.
    // False with `error` set for an unknown option key.
    bool configure(const CliOptions& options, std::string& error);
    // Scan, analysis and titles over `source` (ending in '/').
    void prepare(const std::string& source);
    // Ctrl-C meanwhile stops the copy after the photo at hand.
    CopyTally copy(const std::string& destination);
    const CManageQELFileInfo& catalogue() const { return catalogue_; }

private:
    void handle(const WindowMessage& message);
    // Dispatches until `done`, in slices, so that a long pass is waited for however long it
    // runs while every single wait stays bounded.
    void waitFor(const std::function<bool()>& done);

    MemoryListView sourceRows_;
    MemoryListView resultRows_;
    CManageQELFileInfo catalogue_;
    ProgressBar bar_;
    MessageQueue window_{[this](const WindowMessage& message) { handle(message); }};
    std::optional<GeocodingService> geocoding_;
    CopyOptions copying_;
};
