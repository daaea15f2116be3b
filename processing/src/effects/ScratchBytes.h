#pragma once

#include <cstddef>

// A byte buffer for an effect's intermediate planes. Every page of a fresh
// buffer costs a fault when first touched; a large buffer asks for huge
// pages, which take a 16 MB plane from four thousand faults to eight.
// Throws std::bad_alloc when the memory cannot be had.
class ScratchBytes {
public:
    explicit ScratchBytes(std::size_t bytes);
    ~ScratchBytes();
    ScratchBytes(const ScratchBytes&) = delete;
    ScratchBytes& operator=(const ScratchBytes&) = delete;

    unsigned char* get() const { return bytes; }

private:
    unsigned char* bytes;
};
