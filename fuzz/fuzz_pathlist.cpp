// Path-list files on arbitrary bytes; whatever reads must survive a write and
// a second read unchanged.

#include "FuzzInputFile.h"

#include "pixorama/common/OSDIR.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FuzzInputFile file(".txt");
    const char* path = file.write(data, size);

    std::vector<CString> list;
    if (!OSDIR::Read(path, list))
        std::abort();
    if (!OSDIR::Write(path, list))
        std::abort();
    std::vector<CString> again;
    if (!OSDIR::Read(path, again) || again != list)
        std::abort();
    return 0;
}
