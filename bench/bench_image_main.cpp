#include "bench/benches.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "map") {
        return BenchOfflineMap();
    }
    if (argc != 3 || std::string(argv[1]) != "thumbs") {
        std::fprintf(stderr, "usage: tessaro-bench-image thumbs FOLDER\n"
                             "       tessaro-bench-image map\n");
        return 2;
    }
    std::string folder = argv[2];
    if (folder.back() != '/') {
        folder += '/';
    }
    return BenchThumbs(folder);
}
