#include "pixorama/common/AlignedBuffer.h"

#include <cstdlib>
#include <new>

void* pixAlignedAlloc(std::size_t bytes)
{
    constexpr std::size_t pageBytes = 4096;
    const std::size_t alignment = bytes >= (std::size_t(1) << 20) ? pageBytes : 64;
    if (bytes > std::size_t(-1) - alignment)
        throw std::bad_alloc();
    // aligned_alloc wants a size that is a multiple of the alignment, and never 0.
    const std::size_t rounded = (bytes + alignment - 1) / alignment * alignment;
    void* p = std::aligned_alloc(alignment, rounded == 0 ? alignment : rounded);
    if (!p)
        throw std::bad_alloc();
    return p;
}

void pixAlignedFree(void* p)
{
    std::free(p);
}
