#include "bench/benches.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

// The image benchmarks live in tessaro-bench-image beside this program.
int RunImageBench(char** argv) {
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) {
        std::perror("tessaro-bench: /proc/self/exe");
        return 2;
    }
    self[length] = '\0';
    const std::string image = std::string(self) + "-image";
    execv(image.c_str(), argv);
    std::perror(("tessaro-bench: " + image).c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "titles") {
        return BenchTitles();
    }
    if (argc == 2 && std::string(argv[1]) == "geocode") {
        return BenchGeocode();
    }
    if (argc >= 2 && std::string(argv[1]) == "thumbs") {
        return RunImageBench(argv);
    }
    const bool cold =
        argc == 4 && std::string(argv[1]) == "copy" && std::string(argv[3]) == "--cold";
    if (argc != 3 && !cold) {
        std::fprintf(stderr, "usage: tessaro-bench scan|exif|library FOLDER | copy FOLDER [--cold] "
                             "| thumbs [--save DIR] FOLDER | titles | geocode\n");
        return 2;
    }
    const std::string name = argv[1];
    std::string folder = argv[2];
    if (folder.back() != '/') {
        folder += '/';
    }
    if (name == "scan") {
        return BenchScan(folder);
    }
    if (name == "copy") {
        return BenchCopy(folder, cold);
    }
    if (name == "library") {
        return BenchLibrary(folder);
    }
    if (name == "exif") {
        return BenchExif(folder);
    }
    std::fprintf(stderr, "tessaro-bench: unknown benchmark %s\n", name.c_str());
    return 2;
}
