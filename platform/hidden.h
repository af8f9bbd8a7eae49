#pragma once

#include "platform/path_at.h"

#include <map>
#include <string>
#include <unordered_set>
#include <vector>

// A name is hidden when it starts with '.', or when it is listed in the `.hidden` file of its
// directory (one name a line), as Linux file managers show it.
//
// Which of some names of one folder are hidden, its `.hidden` read once for all of them: a walk
// that read the list again for every subfolder would read a large one as many times.
class HiddenNames {
public:
    // `folder` ends in '/'. A list that cannot be read (none, no regular file) hides nothing.
    HiddenNames(const std::string& folder, const std::vector<std::string>& names);
    // For one of the names given.
    bool hides(const std::string& name) const;

private:
    std::unordered_set<std::string> listed_; // of the names given
};

// Adds the last component of `path` to its parent's `.hidden` file: creates the file when
// missing, adds no duplicate line, replaces the file atomically. Trailing '/' of `path` is
// ignored. Returns false when the file cannot be written. A `.hidden` that is a symbolic link is
// read through but replaced by a regular file, so what it names stays as it was. Not synced:
// hiding happens in the copy pass, which syncs its destination once at the end.
bool AddHidden(const PathAt& path);

// Names to hide, gathered so that each folder's `.hidden` is rewritten once: a rewrite for every
// record of a large folder would rename over the old list as many times. Not synced either.
class HiddenBatch {
public:
    struct Unwritten {
        std::string list; // the `.hidden` file, relative to the batch's folder
        int error;        // errno
    };

    // Paths are taken relative to the folder `base` is open on, as AddHidden takes them.
    explicit HiddenBatch(int base = AT_FDCWD) : base_(base) {}
    void add(const std::string& path);
    // Adds every gathered name to its folder's list; returns the lists that could not be
    // written (or that a name could not go into), empty when all were.
    std::vector<Unwritten> flush();

private:
    int base_;                                              // not owned
    std::map<std::string, std::vector<std::string>> names_; // by the `.hidden` they go to
    std::vector<Unwritten> unwritten_;
};
