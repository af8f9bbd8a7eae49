#pragma once

#include <string>

class wxWindow;

// "ヘルプ": ReadMe.txt in the desktop's application for text files, through its opener xdg-open;
// in a window of the program's own (CHelpWindow) when there is no opener on PATH or the opener
// says by its exit status that it could not open the file. A ReadMe.txt that is missing or cannot
// be read is said so in that window.
void OpenHelp(wxWindow* owner, const std::string& executablePath);
