#pragma once

#include <string>

// Diagnostic text for developers (the Windows debugger channel). Written to standard error
// only when the environment variable TESSARO_DEBUG is set and not empty; silent otherwise.
void DebugOutput(const std::string& text);
