#pragma once

#include <string>
#include <vector>

// A folder below the source that a walk could not read, or could read only in part: photos in it
// may be missing from the import, and the user must hear of it before formatting the card.
struct UnreadFolder {
    std::string path; // ends in '/'
    int error = 0;    // errno of the open or the read that failed
};

using UnreadFolders = std::vector<UnreadFolder>;
