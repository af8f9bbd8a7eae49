#pragma once

#include <string>

class wxWindow;

// A message box over `owner` with `text` (bytes as the program has them) and "OK"; returns when
// the user has closed it. Built from the toolkit's own widgets, so that tests reach its button
// as a user does.
void ShowMessageBox(wxWindow* owner, const std::string& text);
