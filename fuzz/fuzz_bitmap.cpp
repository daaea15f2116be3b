// Bitmap readers on arbitrary bytes.

#include "FuzzInputFile.h"

#include "pixorama/common/BitmapFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FuzzInputFile file(".bmp");
    const char* path = file.write(data, size);

    ClassData2DIO<unsigned char> r, g, b, a, grey;
    const bool colour = QEVReadColorBmp(path, &r, &g, &b, &a);
    // Whatever was accepted must be as large as the file could supply.
    if (colour && std::size_t(r.width) * std::size_t(r.height) > size * 8)
        std::abort();
    if (!colour && (r.width != 0 || a.width != 0))
        std::abort();
    const bool asGrey = QEVReadGrayBmp(path, &grey);
    if (asGrey != colour || (asGrey && (grey.width != r.width || grey.height != r.height)))
        std::abort();
    return 0;
}
