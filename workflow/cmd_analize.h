#pragma once

#include <array>
#include <string>

// The command line: each argument's first letter sets one of 26 letter switches. No switch
// changes anything, so the desktop program leaves its arguments unread; this is how they read.
class CCmdAnalize {
public:
    std::array<int, 26> flags{};
    std::array<std::string, 26> values;

    // One argument, with a leading '/' or '-' already taken off a flag argument.
    void ParseParam(const std::string& param, bool isFlag, bool isLast);
    // Every argument after the program name, as the framework hands them over.
    void ParseCommandLine(int argc, const char* const* argv);
};
