#pragma once

#include "pixorama/workbench/WatershedCore.h"

#include <cstddef>
#include <new>
#include <vector>

// True when this allocation is the one a test asked to fail.
bool SegmentationAllocationShouldFail();

// Asks for huge pages over the whole 2 MB pages inside a large buffer not yet
// touched: a 64 MB label picture then costs 32 page faults instead of 16,000.
void AdviseHugePages(void* data, std::size_t bytes);

// An empty vector with room for count elements, to be filled as the work
// goes, so no pass writes zeros the work would overwrite; failure throws
// SegmentationError with the text "<operation> => cannot allocate memory".
template <typename T>
std::vector<T> ReservedSegmentationBuffer(std::size_t count, const char* operation)
{
    try {
        if (SegmentationAllocationShouldFail())
            throw std::bad_alloc();
        std::vector<T> buffer;
        buffer.reserve(count);
        AdviseHugePages(buffer.data(), count * sizeof(T));
        return buffer;
    } catch (const std::bad_alloc&) {
        throw SegmentationError(std::string(operation) + " => cannot allocate memory");
    } catch (const std::length_error&) {
        throw SegmentationError(std::string(operation) + " => cannot allocate memory");
    }
}

// A zeroed vector of count elements, failing as above.
template <typename T>
std::vector<T> SegmentationBuffer(std::size_t count, const char* operation)
{
    std::vector<T> buffer = ReservedSegmentationBuffer<T>(count, operation);
    buffer.resize(count);
    return buffer;
}
