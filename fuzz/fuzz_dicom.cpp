// The DICOM decoder on arbitrary bytes.

#include "DicomDecoder.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const DecodedPicture picture = DicomDecoder::Decode(data, size);
    if (!picture.Decoded()) {
        if (picture.message.empty())
            std::abort();
        return 0;
    }
    const std::size_t n = picture.PixelCount();
    if (picture.values.size() != n && picture.colour.size() != n)
        std::abort();
    if (picture.pixelSpacing < 0 || (picture.hasWindow && !(picture.windowWidth > 0)))
        std::abort();
    return 0;
}
