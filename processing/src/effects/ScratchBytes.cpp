#include "ScratchBytes.h"

#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

constexpr std::size_t hugePage = std::size_t(2) << 20;

} // namespace

ScratchBytes::ScratchBytes(std::size_t size)
{
    const std::size_t alignment = size >= hugePage ? hugePage : 64;
    if (size > std::size_t(-1) - alignment)
        throw std::bad_alloc();
    const std::size_t rounded = size == 0 ? alignment : (size + alignment - 1) / alignment * alignment;
    bytes = static_cast<unsigned char*>(std::aligned_alloc(alignment, rounded));
    if (!bytes)
        throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (alignment == hugePage)
        madvise(bytes, rounded, MADV_HUGEPAGE); // only advice: ordinary pages serve as well
#endif
}

ScratchBytes::~ScratchBytes()
{
    std::free(bytes);
}
