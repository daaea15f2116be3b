#pragma once

#include <tiffio.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

// Writes test TIFF files with libtiff: any sample type, strips or tiles,
// contiguous or planar samples, any compression, either byte order, any
// number of pages.
struct TiffLayout {
    int width = 37;
    int height = 23;
    int bits = 16;
    int format = SAMPLEFORMAT_UINT;
    int samples = 1;
    int photometric = PHOTOMETRIC_MINISBLACK;
    int planar = PLANARCONFIG_CONTIG;
    int compression = COMPRESSION_NONE;
    bool bigEndian = false;
    int tile = 0;         // tile side (multiple of 16); 0 for strips
    int rowsPerStrip = 5;
};

// sample(page, x, y, channel) as a double, stored in the layout's type.
using SampleAt = std::function<double(int page, int x, int y, int channel)>;

inline void storeSample(const TiffLayout& s, double v, std::uint8_t* at)
{
    if (s.format == SAMPLEFORMAT_IEEEFP) {
        if (s.bits == 32) {
            const float f = float(v);
            std::memcpy(at, &f, 4);
        } else {
            std::memcpy(at, &v, 8);
        }
        return;
    }
    const bool sign = s.format == SAMPLEFORMAT_INT;
    if (s.bits == 8) {
        const std::uint8_t b = sign ? std::uint8_t(std::int8_t(v)) : std::uint8_t(v);
        *at = b;
    } else if (s.bits == 16) {
        const std::uint16_t b = sign ? std::uint16_t(std::int16_t(v)) : std::uint16_t(v);
        std::memcpy(at, &b, 2);
    } else {
        const std::uint32_t b = sign ? std::uint32_t(std::int32_t(std::int64_t(v))) : std::uint32_t(std::int64_t(v));
        std::memcpy(at, &b, 4);
    }
}

// Writes pages pages to path; false when libtiff refused.
inline bool writeTiff(const std::string& path, const TiffLayout& s, int pages, const SampleAt& sample)
{
    TIFF* tif = TIFFOpen(path.c_str(), s.bigEndian ? "wb" : "wl");
    if (!tif)
        return false;
    const int bytes = s.bits / 8;
    bool ok = true;
    for (int page = 0; page < pages && ok; ++page) {
        TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, std::uint32_t(s.width));
        TIFFSetField(tif, TIFFTAG_IMAGELENGTH, std::uint32_t(s.height));
        TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, s.bits);
        TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, s.samples);
        TIFFSetField(tif, TIFFTAG_SAMPLEFORMAT, s.format);
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, s.photometric);
        TIFFSetField(tif, TIFFTAG_PLANARCONFIG, s.planar);
        TIFFSetField(tif, TIFFTAG_COMPRESSION, s.compression);
        if (pages > 1) {
            TIFFSetField(tif, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
            TIFFSetField(tif, TIFFTAG_PAGENUMBER, page, pages);
        }
        const bool contig = s.planar == PLANARCONFIG_CONTIG;
        const int planes = contig ? 1 : s.samples;
        const int perPixel = contig ? s.samples : 1;
        if (s.tile) {
            TIFFSetField(tif, TIFFTAG_TILEWIDTH, std::uint32_t(s.tile));
            TIFFSetField(tif, TIFFTAG_TILELENGTH, std::uint32_t(s.tile));
            std::vector<std::uint8_t> tile(std::size_t(TIFFTileSize(tif)), 0);
            for (int plane = 0; plane < planes; ++plane)
                for (int y0 = 0; y0 < s.height; y0 += s.tile)
                    for (int x0 = 0; x0 < s.width; x0 += s.tile) {
                        for (int y = 0; y < s.tile; ++y)
                            for (int x = 0; x < s.tile; ++x)
                                for (int c = 0; c < perPixel; ++c) {
                                    const int px = std::min(x0 + x, s.width - 1);
                                    const int py = std::min(y0 + y, s.height - 1);
                                    storeSample(s, sample(page, px, py, contig ? c : plane),
                                                tile.data() + ((std::size_t(y) * s.tile + x) * perPixel + c) * bytes);
                                }
                        ok = ok && TIFFWriteTile(tif, tile.data(), x0, y0, 0, tsample_t(plane)) > 0;
                    }
        } else {
            TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, std::uint32_t(s.rowsPerStrip));
            std::vector<std::uint8_t> row(std::size_t(s.width) * perPixel * bytes);
            for (int plane = 0; plane < planes; ++plane)
                for (int y = 0; y < s.height; ++y) {
                    for (int x = 0; x < s.width; ++x)
                        for (int c = 0; c < perPixel; ++c)
                            storeSample(s, sample(page, x, y, contig ? c : plane),
                                        row.data() + (std::size_t(x) * perPixel + c) * bytes);
                    ok = ok && TIFFWriteScanline(tif, row.data(), std::uint32_t(y), tsample_t(plane)) == 1;
                }
        }
        ok = ok && TIFFWriteDirectory(tif);
    }
    TIFFClose(tif);
    return ok;
}

// A side x side 16-bit grey deflate TIFF whose first rows rows are written
// (all black); the header states the whole size either way.
inline bool writeHugeTiff(const std::string& path, std::uint32_t side, std::uint32_t rows)
{
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    if (!tif)
        return false;
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, side);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, side);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 16);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
    TIFFSetField(tif, TIFFTAG_ZIPQUALITY, 9);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 64u);
    std::vector<std::uint16_t> row(side, 0);
    bool ok = true;
    for (std::uint32_t y = 0; y < rows && ok; ++y)
        ok = TIFFWriteScanline(tif, row.data(), y, 0) == 1;
    TIFFClose(tif);
    return ok;
}

// The whole file's bytes.
inline std::vector<std::uint8_t> fileBytes(const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        std::uint8_t buffer[65536];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.insert(bytes.end(), buffer, buffer + n);
        std::fclose(f);
    }
    return bytes;
}
