#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

// The command line: options may stand anywhere before a "--"; what is not an option is the
// command and its arguments.
struct CliOptions {
    std::string command;
    std::vector<std::string> arguments;
    std::optional<std::string> settingsPath;
    std::vector<std::pair<std::string, int>> titleOptions; // --set KEY=VALUE, in order
    std::optional<std::string> geocodeUrl;
    bool noGeocode = false;
    bool listSkipped = false; // --list-skipped: every file that stays behind, one a line
    bool help = false;
    bool version = false;
};

// Nullopt with `error` set for a malformed command line.
std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& argv, std::string& error);
