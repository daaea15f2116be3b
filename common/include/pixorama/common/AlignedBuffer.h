#pragma once

#include <cstddef>

// Pixel buffers are aligned so that bulk reads and vector loops run at full
// speed: 64 bytes for small buffers, a page for large ones. Every buffer a
// container owns comes from pixAlignedAlloc and goes back through pixAlignedFree.

// Never returns null: throws std::bad_alloc when the request cannot be met.
void* pixAlignedAlloc(std::size_t bytes);
void pixAlignedFree(void* p);
