#pragma once

#include <wx/toplevel.h>

// The window's close box only hides it; the owner brings it back. A close that cannot be
// refused (the owner going away) still destroys it.
void HideOnClose(wxTopLevelWindow& window);
