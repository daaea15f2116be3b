// Key-and-value text parsing on arbitrary bytes.

#include "FuzzInputFile.h"

#include "pixorama/common/QEVIODisk.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FuzzInputFile file(".ini");
    const char* path = file.write(data, size);

    QEVIODisk io;
    io.OpenRead(path);
    io.ReadMap();
    io.CloseRead();
    for (const auto& [key, value] : io.values) {
        // Keys hold no digits and values no letters, whatever the input.
        for (const char c : key)
            if (c >= '0' && c <= '9')
                std::abort();
        for (const char c : value)
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
                std::abort();
        volatile int i = io.ReadInt(key.c_str());
        volatile float f = io.ReadFlt(key.c_str());
        (void)i;
        (void)f;
    }
    return 0;
}
