#pragma once

#include <string>

class wxTopLevelWindow;

// The main window opens as large as the user last left it: its client size in the layout's own
// pixels (96 DPI) and whether it was maximised, in section "Window" of the settings file.
// Sets the size and returns whether the window is to be maximised once it stands.
bool RestoreWindowSize(wxTopLevelWindow* window, const std::string& settingsPath);
void StoreWindowSize(const wxTopLevelWindow* window, const std::string& settingsPath);
