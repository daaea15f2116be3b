// The DICOM parse in this process (the child decoder's work, without the
// child), so the fuzzer sees how far into the header each input gets: any
// bytes after the preamble and "DICM" either decode to a consistent picture
// or give a message.
#include "DicomDecoder.h"

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> file(132, 0);
    std::memcpy(file.data() + 128, "DICM", 4);
    file.insert(file.end(), data, data + size);
    const DecodedPicture picture = DicomDecoder::DecodeHere(file.data(), file.size());
    if (!picture.Decoded())
        return picture.message.empty() ? (std::abort(), 0) : 0;
    const std::size_t n = picture.PixelCount();
    if (picture.values.size() != n && picture.colour.size() != n)
        std::abort();
    return 0;
}
