#pragma once

#include <optional>
#include <string>

class wxWindow;

// The folder chooser of STEP1 and STEP5, opened at `initialFolder`: the chosen folder ending in
// '/', or nothing when the user cancelled.
//
// Test seam: when TESSARO_FOLDER_ANSWERS names a file, no chooser opens; each call takes the
// next line of that file as the user's answer, an empty line (or no line left) as a cancel.
std::optional<std::string> BrowseFolder(wxWindow* owner, const std::string& initialFolder,
                                        const std::string& title);

// `folder` with exactly the trailing '/' that folders handed between steps carry ("/" stays).
std::string WithTrailingSlash(std::string folder);
