// Arbitrary bytes as the parameter file pixorama-batch reads with --params:
// every record is read from its own section of the one file, the same way
// each time.
#include "FuzzInputFile.h"

#include "pixorama/parlet/ParaFile.h"
#include "pixorama/platform/Strings.h"

#include <cstdlib>
#include <cstring>
#include <type_traits>

namespace {

// Reading twice from the same start gives the same record.
template <typename Record>
void readTwice(const CString& path)
{
    Record first{};
    Record second{};
    if (!gReadImaParaFile(first, path) || !gReadImaParaFile(second, path))
        std::abort();
    if constexpr (std::is_trivially_copyable_v<Record>)
        if (std::memcmp(&first, &second, sizeof first) != 0)
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FuzzInputFile file(".ini");
    const CString path = plat::toWide(file.write(data, size));
    readTwice<tagQEVImaLoadPara>(path);
    readTwice<tagQEVImaROIRectPara>(path);
    readTwice<tagQEVImaFormatPara>(path);
    readTwice<tagQEVImaPairPara>(path);
    readTwice<tagQEVImaRowDataPara>(path);
    return 0;
}
