#pragma once

#include <string>

struct CliRun {
    int status = -1;
    std::string out;
};

// Runs the built tessaro-cli with `arguments` (already quoted for the shell), standard error
// discarded and a fresh, empty cache folder, and collects its standard output and exit status.
CliRun Cli(const std::string& arguments);

// `path` quoted for the shell.
std::string Quoted(const std::string& path);
