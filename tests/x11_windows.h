#pragma once

#include <wx/gdicmn.h>

// Finds the shown top-level window titled `title` on the display (another program's windows
// included): the screen position of its client area and its size.
bool FindTopLevelWindow(const char* title, wxPoint& origin, wxSize& size);
