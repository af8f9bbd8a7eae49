#pragma once

#include "catalogue/manage_qel_file_info.h"
#include "platform/message_target.h"

#include <string>

// What became of the photos of one copy pass.
struct CopyTally {
    int copied = 0;
    int skipped = 0; // a file of that name was already there and stays as it was
    int failed = 0;
};

// Makes the result tree real below `destination` (ending in '/'): the title folders, a copy of
// every photo under its title (never over an existing file), and a record file beside every
// entry, in hidden kind directories; each entry's `path` then names its place there. Sends
// UM_COPY_PROGRESS after every entry; no failure stops the pass. Everything is on disk when it
// returns. Runs on the UI thread. Returns 0.
int CopyPhotos(CManageQELFileInfo& catalogue, const std::string& destination, MessageTarget* window,
               CopyTally* tally = nullptr);
