#pragma once

#include <string>

// How a destination folder lies to a source folder. Anything but Apart means that a copy from
// the one into the other would write into the source (a camera card) or be found by the next
// scan of it.
enum class FolderNesting {
    Apart,
    Same,   // the destination is the source
    Inside, // the destination lies below the source
    Holds,  // the source lies below the destination
};

// Compares the two folders as absolute paths with every link resolved as far as they exist, so
// that a link into the card counts as the card. A destination that does not exist yet is placed
// by the folders it would be made in.
FolderNesting NestingOf(const std::string& source, const std::string& destination);
