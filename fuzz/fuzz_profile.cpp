// Arbitrary bytes as an INI file: reading never fails or reads out of
// bounds, and a write lands where the next read finds it while every other
// key keeps its value.
#include "pixorama/platform/Profile.h"
#include "pixorama/platform/Strings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// In memory where the system offers it: each write is flushed to disk.
struct ScratchFile {
    std::string path = (::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/fuzz_profile-")
                       + std::to_string(::getpid()) + ".ini";
    ~ScratchFile() { ::unlink(path.c_str()); }
};

std::wstring scratchFile()
{
    static const ScratchFile file;
    return plat::toWide(file.path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::wstring file = scratchFile();
    {
        std::ofstream out(plat::toPath(file), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    const std::string head(reinterpret_cast<const char*>(data), size < 8 ? size : 8);
    const std::wstring section = plat::toWide(head);

    const std::wstring width = plat::getProfileString(L"Para", L"Width", L"-", file);
    const int height = plat::getProfileInt(L"Para", L"Height", 7, file);
    plat::getProfileString(section, section, L"-", file);
    plat::getProfileInt(L"", L"", 0, file);

    if (plat::writeProfileString(L"Fuzz", L"k", L"written", file)) {
        if (plat::getProfileString(L"Fuzz", L"k", L"", file) != L"written")
            std::abort();
        if (plat::getProfileString(L"Para", L"Width", L"-", file) != width
            || plat::getProfileInt(L"Para", L"Height", 7, file) != height)
            std::abort();
    }
    return 0;
}
