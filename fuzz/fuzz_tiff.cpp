// The TIFF decoder on arbitrary bytes; the first byte picks the page.

#include "TiffDecoder.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const DecodedPicture picture = TiffDecoder::Decode(data + 1, size - 1, data[0] % 4);
    // Nothing decoded always says why.
    if (!picture.Decoded()) {
        if (picture.message.empty())
            std::abort();
        return 0;
    }
    // Exactly one form of pixels, of the stated size, with no NaN left.
    const std::size_t n = picture.PixelCount();
    const std::size_t forms = !picture.values.empty() + !picture.grey.empty() + !picture.colour.empty();
    if (forms != 1 || (picture.values.size() != n && picture.grey.size() != n && picture.colour.size() != n))
        std::abort();
    for (const float v : picture.values)
        if (!std::isfinite(v))
            std::abort();
    return 0;
}
