#include "cli/exif_command.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr char kUsage[] =
    "Usage: tessaro-cli [--help] [--version] COMMAND [ARGUMENTS]\n"
    "\n"
    "Sorts the JPEG photos of a camera card into titled folders, as the desktop program\n"
    "Tessaro does, for batch use.\n"
    "\n"
    "Commands:\n"
    "  exif FILE...   per file one tab-separated line: the path, the reader's result\n"
    "                 (0 read, -1 cannot be opened, -2 no EXIF data), DateTimeOriginal\n"
    "                 as YYYY:MM:DD HH:MM:SS in local time, latitude and longitude in\n"
    "                 signed decimal degrees; a value the photo does not hold stays empty\n"
    "\n"
    "Options:\n"
    "  --help       show this text and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "Exit status: 0 when everything was done, 1 when some photo failed, 2 for a usage error.\n";

int UsageError(const std::string& reason) {
    std::fprintf(stderr, "tessaro-cli: %s (see tessaro-cli --help)\n", reason.c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return UsageError("no command given");
    }
    const std::string first = argv[1];
    const std::vector<std::string> arguments(argv + 2, argv + argc);
    if (first == "--help" || first == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (first == "--version") {
        std::printf("tessaro-cli %s\n", TESSARO_VERSION);
        return 0;
    }
    if (first == "exif") {
        if (arguments.empty()) {
            return UsageError("exif needs at least one file");
        }
        return RunExifCommand(arguments);
    }
    return UsageError("unknown command: " + first);
}
