#include "cli/cli_options.h"

#include <charconv>

namespace {

// "KEY=VALUE" with a decimal integer value.
bool ParseSetting(const std::string& text, std::pair<std::string, int>& setting) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0) {
        return false;
    }
    const char* first = text.data() + equals + 1;
    const char* last = text.data() + text.size();
    int value = 0;
    const auto [end, failure] = std::from_chars(first, last, value);
    if (failure != std::errc() || end != last || first == last) {
        return false;
    }
    setting = {text.substr(0, equals), value};
    return true;
}

} // namespace

std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& argv,
                                          std::string& error) {
    CliOptions options;
    std::vector<std::string> words;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string& word = argv[i];
        const bool takesValue = word == "--settings" || word == "--set" || word == "--geocode-url";
        if (optionsEnded || word.rfind("-", 0) != 0 || word == "-") {
            words.push_back(word);
        } else if (word == "--") {
            optionsEnded = true;
        } else if (word == "--help" || word == "-h") {
            options.help = true;
        } else if (word == "--version") {
            options.version = true;
        } else if (word == "--no-geocode") {
            options.noGeocode = true;
        } else if (word == "--list-skipped") {
            options.listSkipped = true;
        } else if (!takesValue) {
            error = "unknown option " + word;
            return std::nullopt;
        } else if (i + 1 == argv.size()) {
            error = word + " needs a value";
            return std::nullopt;
        } else if (word == "--settings") {
            options.settingsPath = argv[++i];
        } else if (word == "--geocode-url") {
            options.geocodeUrl = argv[++i];
        } else if (std::pair<std::string, int> setting; ParseSetting(argv[++i], setting)) {
            options.titleOptions.push_back(setting);
        } else {
            error = "--set needs KEY=NUMBER, not " + argv[i];
            return std::nullopt;
        }
    }
    if (!words.empty()) {
        options.command = words.front();
        options.arguments.assign(words.begin() + 1, words.end());
    }
    return options;
}
