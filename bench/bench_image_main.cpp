#include "bench/benches.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "map") {
        return BenchOfflineMap();
    }
    const bool save = argc == 5 && std::string(argv[2]) == "--save";
    if ((argc != 3 && !save) || std::string(argv[1]) != "thumbs") {
        std::fprintf(stderr, "usage: tessaro-bench-image thumbs [--save DIR] FOLDER\n"
                             "       tessaro-bench-image map\n");
        return 2;
    }
    std::string folder = argv[argc - 1];
    if (folder.back() != '/') {
        folder += '/';
    }
    return BenchThumbs(folder, save ? argv[3] : "");
}
