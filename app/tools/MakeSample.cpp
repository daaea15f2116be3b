// Writes the bundled sample picture: make_sample OUTPUT.png
#include "pixorama/workbench/SampleImage.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample OUTPUT.png\n");
        return 2;
    }
    if (!SampleImage::write(argv[1])) {
        std::fprintf(stderr, "make_sample: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
