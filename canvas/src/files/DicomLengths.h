#pragma once

#include <cstddef>
#include <cstdint>

// Walks the data elements of a DICOM file (after the preamble and "DICM")
// the way a reader does, and tells whether every stated length fits in the
// bytes that follow it. GDCM sizes its buffers by the stated length before
// it reads, so a short file stating gigabytes would have it allocate them.
class DicomLengths {
public:
    static bool FitInFile(const std::uint8_t* data, std::size_t size);
};
