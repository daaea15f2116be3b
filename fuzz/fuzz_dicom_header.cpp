// The DICOM parse in this process (the child decoder's work, without the
// child), so the fuzzer sees how far into the header each input gets: any
// bytes after the preamble and "DICM" either decode to a consistent picture
// or give a message. GDCM as packaged stops on assertions in malformed
// files, which in the program only end the child; here a failed assertion
// inside GDCM jumps back and counts as a refused input. What GDCM held for
// that input is not freed: scripts/fuzz.sh runs this target with
// -detect_leaks=0.
#include "DicomDecoder.h"

#include <malloc.h>

#include <atomic>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace {

// The program decodes in a child whose address space is capped (1 GiB and
// a few times the file), where GDCM's allocation for a hostile length fails
// with bad_alloc. The same cap on what this process holds at once.
constexpr std::size_t heapCap = std::size_t(1) << 30;
std::atomic<std::size_t> heapHeld{0};

void* allocate(std::size_t size)
{
    if (heapHeld.load() + size > heapCap)
        throw std::bad_alloc();
    void* p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    heapHeld += malloc_usable_size(p);
    return p;
}

void release(void* p) noexcept
{
    if (p) {
        heapHeld -= malloc_usable_size(p);
        std::free(p);
    }
}

sigjmp_buf insideLibrary;
bool armed = false;

bool decodesConsistently(const std::vector<std::uint8_t>& file)
{
    const DecodedPicture picture = DicomDecoder::DecodeHere(file.data(), file.size());
    if (!picture.Decoded())
        return !picture.message.empty();
    const std::size_t n = picture.PixelCount();
    return picture.values.size() == n || picture.colour.size() == n;
}

} // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }

extern "C" [[noreturn]] void __assert_fail(const char*, const char*, unsigned int, const char*)
{
    if (armed)
        siglongjmp(insideLibrary, 1);
    std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> file(132, 0);
    std::memcpy(file.data() + 128, "DICM", 4);
    file.insert(file.end(), data, data + size);
    if (sigsetjmp(insideLibrary, 0) == 0) {
        armed = true;
        const bool consistent = decodesConsistently(file);
        armed = false;
        if (!consistent)
            std::abort();
    }
    armed = false;
    return 0;
}
