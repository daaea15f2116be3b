#include "TiffEncoder.h"

#include "TiffMemory.h"

#include <cstring>

namespace {

std::vector<std::uint8_t> encode(const void* const* rows, int width, int height, int bits, int samples, int format)
{
    if (width <= 0 || height <= 0)
        return {};
    TiffMemory memory;
    TIFF* tif = memory.Handle();
    if (!tif)
        return {};
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, std::uint32_t(width));
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, std::uint32_t(height));
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, bits);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples);
    TIFFSetField(tif, TIFFTAG_SAMPLEFORMAT, format);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, samples == 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
    TIFFSetField(tif, TIFFTAG_PREDICTOR, format == SAMPLEFORMAT_IEEEFP ? PREDICTOR_FLOATINGPOINT : PREDICTOR_HORIZONTAL);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 16u);
    // The predictor works in place on what it is given: a copy of each row
    // keeps the caller's pixels as they were.
    const std::size_t rowBytes = std::size_t(width) * std::size_t(samples) * std::size_t(bits / 8);
    std::vector<std::uint8_t> scratch(rowBytes);
    bool ok = true;
    for (int y = 0; ok && y < height; ++y) {
        std::memcpy(scratch.data(), rows[y], rowBytes);
        ok = TIFFWriteScanline(tif, scratch.data(), std::uint32_t(y), 0) == 1;
    }
    ok = memory.Close() && ok;
    return ok ? memory.Bytes() : std::vector<std::uint8_t>{};
}

} // namespace

std::vector<std::uint8_t> TiffEncoder::Float32(const float* const* rows, int width, int height)
{
    return encode(reinterpret_cast<const void* const*>(rows), width, height, 32, 1, SAMPLEFORMAT_IEEEFP);
}

std::vector<std::uint8_t> TiffEncoder::Grey16(const std::uint16_t* const* rows, int width, int height)
{
    return encode(reinterpret_cast<const void* const*>(rows), width, height, 16, 1, SAMPLEFORMAT_UINT);
}

std::vector<std::uint8_t> TiffEncoder::Rgb16(const std::uint16_t* const* rows, int width, int height)
{
    return encode(reinterpret_cast<const void* const*>(rows), width, height, 16, 3, SAMPLEFORMAT_UINT);
}
