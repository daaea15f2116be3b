// Path-list files on arbitrary bytes; whatever reads must survive a write and
// a second read unchanged, and what is refused says why.

#include "FuzzInputFile.h"

#include "pixorama/common/OSDIR.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FuzzInputFile file(".txt");
    const char* path = file.write(data, size);

    std::vector<CString> list;
    CString why;
    if (!OSDIR::Read(path, list, &why)) {
        // Refused (not UTF-8 text): with a reason, and nothing read.
        if (why.empty() || !list.empty())
            std::abort();
        return 0;
    }
    if (!OSDIR::Write(path, list))
        std::abort();
    std::vector<CString> again;
    if (!OSDIR::Read(path, again) || again != list)
        std::abort();
    return 0;
}
