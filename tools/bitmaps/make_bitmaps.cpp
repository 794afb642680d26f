// Writes the plug-in's bitmaps: make-bitmaps <folder> (resources/bitmaps).
#include <cstdio>

#include "tools/bitmaps/artwork.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-bitmaps <folder>\n");
        return 2;
    }
    if (!writeAllBitmaps(argv[1])) {
        std::fprintf(stderr, "make-bitmaps: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
