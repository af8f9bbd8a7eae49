#pragma once

#include "catalogue/manage_qel_file_info.h"

#include <string>

// Stops a running search, clears both trees and starts the search worker over `folder` (which
// ends in '/'). Returns 0 at once, -1 when no thread could be started.
int startSearch(CManageQELFileInfo& catalogue, const std::string& folder, MessageTarget* window);

// The search worker: the walk, the end-of-walk report, then the thumbnail phase, which a
// cleared `running` flag cuts short.
int SearchWorker(ScanJob* job);

// Files every visible folder and every ".JPG" below `job.folder`, depth first, pre-order, in
// the file system's order; counts photos on in `job.foundCount`. A folder already on the current
// path (a link loop) is not entered again; a folder that cannot be read yields nothing.
int scanFolder(ScanJob& job, int level);

// True when a file name ends in ".JPG", ASCII letters in any case.
bool IsPhotoName(const std::string& name);
