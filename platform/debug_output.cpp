#include "platform/debug_output.h"

#include <cstdio>
#include <cstdlib>

void DebugOutput(const std::string& text) {
    const char* enabled = std::getenv("TESSARO_DEBUG");
    if (enabled == nullptr || *enabled == '\0') {
        return;
    }
    // One write per message, so lines from several threads do not interleave.
    const std::string line = text + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}
