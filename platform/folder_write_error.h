#pragma once

#include <string>

// 0 when `folder` is a folder this process may make files in, else the errno that says why not:
// ENOENT (not there), ENOTDIR (a file, or below one), EACCES (its permissions), EROFS (a read-only
// file system).
int FolderWriteError(const std::string& folder);
