#pragma once

#include <string>

// A folder argument as the steps take it: absolute, ending in '/'.
std::string AsFolder(std::string path);

// False with a one-line reason when `source` is no folder that can be read.
bool CheckSource(const std::string& source, std::string& reason);

// Creates the destination when missing. False with a one-line reason when it is the source, lies
// inside it or holds it (the copies would be written into the card, or found by the next scan of
// it), or cannot be created or written.
bool PrepareDestination(const std::string& source, const std::string& destination,
                        std::string& reason);
