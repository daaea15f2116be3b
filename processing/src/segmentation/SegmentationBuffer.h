#pragma once

#include "pixorama/workbench/WatershedCore.h"

#include <cstddef>
#include <new>
#include <vector>

// True when this allocation is the one a test asked to fail.
bool SegmentationAllocationShouldFail();

// A zeroed vector of count elements; failure throws SegmentationError with
// the text "<operation> => cannot allocate memory".
template <typename T>
std::vector<T> SegmentationBuffer(std::size_t count, const char* operation)
{
    try {
        if (SegmentationAllocationShouldFail())
            throw std::bad_alloc();
        return std::vector<T>(count);
    } catch (const std::bad_alloc&) {
        throw SegmentationError(std::string(operation) + " => cannot allocate memory");
    } catch (const std::length_error&) {
        throw SegmentationError(std::string(operation) + " => cannot allocate memory");
    }
}
