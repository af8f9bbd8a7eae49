#pragma once

#include <string>

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the built tessaro-cli with `arguments` (already quoted for the shell) and a fresh, empty
// cache folder, and collects its standard output, standard error and exit status. `prefix` is
// shell text put before the program, for a folder to run in or variables to set (a cache folder
// of the test's own among them): "cd /x && NAME=value".
CliRun Cli(const std::string& arguments, const std::string& prefix = "");

// `path` quoted for the shell.
std::string Quoted(const std::string& path);
