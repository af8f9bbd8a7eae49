#pragma once

#include "catalogue/manage_qel_file_info.h"

#include <cstddef>
#include <string>

// Stops a running search, clears both trees and starts the search worker over `folder` (which
// ends in '/'). Returns 0 at once, -1 when no thread could be started.
int startSearch(CManageQELFileInfo& catalogue, const std::string& folder, MessageTarget* window);

// The search worker: the walk, the end-of-walk report, then the thumbnail phase. A cleared
// `running` flag cuts the walk short before the next folder, or the thumbnail phase before the
// next photo.
int SearchWorker(ScanJob* job);

// Files every visible folder and every ".JPG" below `job.folder`, depth first, pre-order, each
// folder's entries in name order (ASCII letters in either case alike, then by bytes); counts photos
// on in `job.foundCount`. Each photo takes its companions along; every other file but a
// housekeeping one goes by kind into the top block's `leftOnCard`, and so does every ".JPG" in and
// below a hidden folder. Every folder is entered once, however many links lead to it (a loop, a
// link to a sibling): one reached again is filed but not entered. A folder that cannot be opened,
// or whose listing fails part way (what came before is filed), goes with its errno into the top
// block's `unreadFolders`. Ends before the next folder once the job's `running` flag is cleared.
int scanFolder(ScanJob& job, int level);

// The length of a photo's ".JPG" extension.
inline constexpr std::size_t kPhotoExtensionLength = 4;

// True when a file name ends in ".JPG", ASCII letters in any case.
bool IsPhotoName(const std::string& name);
