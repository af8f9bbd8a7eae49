#include <cstdio>
#include <string>

namespace {

constexpr char kUsage[] =
    "Usage: tessaro-cli [--help] [--version]\n"
    "\n"
    "Sorts the JPEG photos of a camera card into titled folders, as the desktop program\n"
    "Tessaro does, for batch use.\n"
    "\n"
    "Options:\n"
    "  --help       show this text and exit\n"
    "  --version    show the version and exit\n";

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
    if (first == "--help" || first == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (first == "--version") {
        std::printf("tessaro-cli %s\n", TESSARO_VERSION);
        return 0;
    }
    return UsageError("unknown command: " + first);
}
