#include "TiffDecoder.h"

#include "pixorama/platform/Translation.h"

#include "PictureProbe.h"
#include "TiffMemory.h"

#include <algorithm>
#include <new>
#include <string>

namespace {

struct Layout {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t bits = 1;
    std::uint16_t samples = 1;
    std::uint16_t format = SAMPLEFORMAT_UINT;
    std::uint16_t planar = PLANARCONFIG_CONTIG;
    std::uint16_t photometric = PHOTOMETRIC_MINISBLACK;
    bool tiled = false;
    std::uint32_t chunkWidth = 0;  // tile width, or the image width
    std::uint32_t chunkHeight = 0; // tile height, or rows per strip

    bool Grey() const
    {
        if (samples != 1 || photometric == PHOTOMETRIC_RGB || photometric > PHOTOMETRIC_PALETTE)
            return false;
        if (format == SAMPLEFORMAT_IEEEFP)
            return bits == 32 || bits == 64;
        return (format == SAMPLEFORMAT_UINT || format == SAMPLEFORMAT_INT) && (bits == 8 || bits == 16 || bits == 32);
    }
    // Unsigned 8-bit grey with black at 0: an ordinary 8-bit picture.
    bool Grey8() const
    {
        return Grey() && bits == 8 && format == SAMPLEFORMAT_UINT && photometric != PHOTOMETRIC_MINISWHITE;
    }
    // Colour of float or 32-bit samples, side by side: shown as grey.
    bool WideRgb() const
    {
        return photometric == PHOTOMETRIC_RGB && samples >= 3 && planar == PLANARCONFIG_CONTIG && bits >= 32
               && (format == SAMPLEFORMAT_IEEEFP || format == SAMPLEFORMAT_UINT || format == SAMPLEFORMAT_INT)
               && (bits == 32 || (bits == 64 && format == SAMPLEFORMAT_IEEEFP));
    }
    bool Rgb() const
    {
        return photometric == PHOTOMETRIC_RGB && samples >= 3 && format == SAMPLEFORMAT_UINT && (bits == 8 || bits == 16);
    }
    // Samples side by side in one chunk row.
    std::size_t Step() const { return planar == PLANARCONFIG_CONTIG ? samples : 1; }
    std::size_t Planes() const { return planar == PLANARCONFIG_CONTIG ? 1 : samples; }
};

Layout readLayout(TIFF* tif)
{
    Layout l;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &l.width);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &l.height);
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &l.bits);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &l.samples);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &l.format);
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &l.planar);
    if (!TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &l.photometric))
        l.photometric = l.samples >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
    l.tiled = TIFFIsTiled(tif) != 0;
    if (l.tiled) {
        TIFFGetField(tif, TIFFTAG_TILEWIDTH, &l.chunkWidth);
        TIFFGetField(tif, TIFFTAG_TILELENGTH, &l.chunkHeight);
    } else {
        l.chunkWidth = l.width;
        TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &l.chunkHeight);
        l.chunkHeight = std::min(std::max(l.chunkHeight, 1u), std::max(l.height, 1u));
    }
    return l;
}

// One row segment of count pixels, samples step apart, into out.
using RowSink = void (*)(const std::uint8_t* in, std::size_t count, std::size_t step, void* out);

template <typename T>
void toFloat(const std::uint8_t* in, std::size_t count, std::size_t step, void* out)
{
    const T* s = reinterpret_cast<const T*>(in);
    float* o = static_cast<float*>(out);
    for (std::size_t x = 0; x < count; ++x)
        o[x] = float(s[x * step]);
}

// The mean of three colour samples, in double so that equal channels
// give their value exactly.
template <typename T>
void meanToFloat(const std::uint8_t* in, std::size_t count, std::size_t step, void* out)
{
    const T* s = reinterpret_cast<const T*>(in);
    float* o = static_cast<float*>(out);
    for (std::size_t x = 0; x < count; ++x, s += step)
        o[x] = float((double(s[0]) + double(s[1]) + double(s[2])) / 3.0);
}

// One colour channel's samples, reduced to 8 bits, into its byte of
// 0x00RRGGBB pixels.
template <typename T>
void orChannel(const std::uint8_t* in, std::size_t count, std::size_t step, std::uint32_t* out, std::size_t channel)
{
    const T* s = reinterpret_cast<const T*>(in);
    constexpr unsigned drop = (sizeof(T) - 1) * 8;
    const unsigned at = unsigned(16 - 8 * channel);
    for (std::size_t x = 0; x < count; ++x)
        out[x] |= std::uint32_t(s[x * step] >> drop) << at;
}

RowSink greySink(const Layout& l)
{
    if (l.WideRgb()) {
        if (l.format == SAMPLEFORMAT_IEEEFP)
            return l.bits == 32 ? meanToFloat<float> : meanToFloat<double>;
        return l.format == SAMPLEFORMAT_INT ? meanToFloat<std::int32_t> : meanToFloat<std::uint32_t>;
    }
    if (l.format == SAMPLEFORMAT_IEEEFP)
        return l.bits == 32 ? toFloat<float> : toFloat<double>;
    const bool sign = l.format == SAMPLEFORMAT_INT;
    if (l.bits == 8)
        return sign ? toFloat<std::int8_t> : toFloat<std::uint8_t>;
    if (l.bits == 16)
        return sign ? toFloat<std::int16_t> : toFloat<std::uint16_t>;
    return sign ? toFloat<std::int32_t> : toFloat<std::uint32_t>;
}

// Walks every strip or tile of the page and hands each row segment of
// each plane to place(plane, x, y, count, bytes). Returns the chunks that
// could not be decoded, and all there were.
struct ChunkCount {
    std::size_t failed = 0;
    std::size_t total = 0;
};

template <typename Place>
ChunkCount readChunks(TIFF* tif, const Layout& l, Place place)
{
    const tmsize_t chunkBytes = l.tiled ? TIFFTileSize(tif) : TIFFStripSize(tif);
    if (chunkBytes <= 0)
        return {1, 1};
    std::vector<std::uint8_t> buffer(std::size_t(chunkBytes), 0);
    const std::size_t sampleBytes = l.bits / 8;
    const std::size_t rowBytes = std::size_t(l.chunkWidth) * l.Step() * sampleBytes;
    ChunkCount count;
    for (std::size_t plane = 0; plane < l.Planes(); ++plane)
        for (std::uint32_t y0 = 0; y0 < l.height; y0 += l.chunkHeight)
            for (std::uint32_t x0 = 0; x0 < l.width; x0 += l.chunkWidth) {
                ++count.total;
                tmsize_t got = 0;
                if (l.tiled)
                    got = TIFFReadEncodedTile(tif, TIFFComputeTile(tif, x0, y0, 0, tsample_t(plane)), buffer.data(), chunkBytes);
                else
                    got = TIFFReadEncodedStrip(tif, TIFFComputeStrip(tif, y0, tsample_t(plane)), buffer.data(), chunkBytes);
                if (got < 0) {
                    ++count.failed;
                    continue;
                }
                const std::uint32_t rows = std::min(l.chunkHeight, l.height - y0);
                const std::uint32_t columns = std::min(l.chunkWidth, l.width - x0);
                for (std::uint32_t r = 0; r < rows && std::size_t(r + 1) * rowBytes <= std::size_t(chunkBytes); ++r)
                    place(plane, x0, y0 + r, columns, buffer.data() + r * rowBytes);
            }
    return count;
}

// Strips of single floats are the output's own rows: decoded in place.
ChunkCount readFloatStrips(TIFF* tif, const Layout& l, std::vector<float>& values)
{
    ChunkCount count;
    for (std::uint32_t y0 = 0; y0 < l.height; y0 += l.chunkHeight) {
        ++count.total;
        const std::uint32_t rows = std::min(l.chunkHeight, l.height - y0);
        const tmsize_t bytes = tmsize_t(std::size_t(rows) * l.width * sizeof(float));
        if (TIFFReadEncodedStrip(tif, TIFFComputeStrip(tif, y0, 0), values.data() + std::size_t(y0) * l.width, bytes) < 0)
            ++count.failed;
    }
    return count;
}

void decodeGrey(TIFF* tif, const Layout& l, DecodedPicture& out, ChunkCount& failed)
{
    out.values.assign(std::size_t(l.width) * l.height, 0.0f);
    out.inverted = l.photometric == PHOTOMETRIC_MINISWHITE;
    if (!l.tiled && l.samples == 1 && l.bits == 32 && l.format == SAMPLEFORMAT_IEEEFP) {
        failed = readFloatStrips(tif, l, out.values);
    } else {
        const RowSink sink = greySink(l);
        const std::size_t step = l.Step();
        failed = readChunks(tif, l, [&](std::size_t, std::uint32_t x, std::uint32_t y, std::uint32_t count, const std::uint8_t* in) {
            sink(in, count, step, out.values.data() + std::size_t(y) * l.width + x);
        });
    }
    if (const std::size_t bad = PictureProbe::ReplaceNonFinite(out.values))
        out.warnings.push_back(PictureProbe::NonFiniteWarning(bad));
}

// Unsigned 8-bit grey (or palette indices) stays an 8-bit picture.
void decodeGrey8(TIFF* tif, const Layout& l, DecodedPicture& out, ChunkCount& failed)
{
    out.grey.assign(std::size_t(l.width) * l.height, 0);
    failed = readChunks(tif, l, [&](std::size_t, std::uint32_t x, std::uint32_t y, std::uint32_t count, const std::uint8_t* in) {
        std::copy(in, in + count, out.grey.data() + std::size_t(y) * l.width + x);
    });
}

void decodeRgb(TIFF* tif, const Layout& l, DecodedPicture& out, ChunkCount& failed)
{
    out.colour.assign(std::size_t(l.width) * l.height, 0);
    const auto place = l.bits == 8 ? orChannel<std::uint8_t> : orChannel<std::uint16_t>;
    const std::size_t step = l.Step();
    const std::size_t sampleBytes = l.bits / 8;
    const bool contig = l.planar == PLANARCONFIG_CONTIG;
    failed = readChunks(tif, l, [&](std::size_t plane, std::uint32_t x, std::uint32_t y, std::uint32_t count, const std::uint8_t* in) {
        std::uint32_t* o = out.colour.data() + std::size_t(y) * l.width + x;
        if (!contig) {
            if (plane < 3)
                place(in, count, 1, o, plane);
            return;
        }
        for (std::size_t c = 0; c < 3; ++c)
            place(in + c * sampleBytes, count, step, o, c);
    });
}

// Whatever else libtiff turns into 8-bit RGBA.
bool decodeRgba(TIFF* tif, const Layout& l, DecodedPicture& out)
{
    out.colour.assign(std::size_t(l.width) * l.height, 0);
    const bool ok = TIFFReadRGBAImageOriented(tif, l.width, l.height, out.colour.data(), ORIENTATION_TOPLEFT, 0) != 0;
    for (std::uint32_t& p : out.colour)
        p = TIFFGetR(p) << 16 | TIFFGetG(p) << 8 | TIFFGetB(p);
    return ok;
}

// How many bytes of pixels one byte of the file can give at most.
double bestRatio(TIFF* tif)
{
    std::uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
    switch (compression) {
    case COMPRESSION_NONE: return 1.0;
    case COMPRESSION_PACKBITS: return PictureProbe::packBitsRatio;
    case COMPRESSION_LZW: return PictureProbe::lzwRatio;
    default: return PictureProbe::deflateRatio;
    }
}

// A strip never holds more than the picture; a tile may overhang it, but a
// tile far larger than the whole picture (a few header bytes can state one
// of gigabytes) is refused before its buffer is made.
bool chunkFits(TIFF* tif, const Layout& l)
{
    const double chunkBytes = double(l.tiled ? TIFFTileSize64(tif) : TIFFStripSize64(tif));
    const double pictureBytes = double(l.width) * l.height * l.samples * l.bits / 8.0;
    return chunkBytes <= pictureBytes + 64.0 * 1024 * 1024;
}

// libtiff's first complaint, on one line.
CString libtiffText(const std::string& error)
{
    const std::size_t end = error.find_first_of("\r\n");
    const std::string line = error.substr(0, end);
    return CString(line.begin(), line.end());
}

} // namespace

DecodedPicture TiffDecoder::Decode(const std::uint8_t* data, std::size_t size, int page)
{
    TiffMemory memory(data, size);
    TIFF* tif = memory.Handle();
    if (!tif)
        return DecodedPicture::Failed(plat::tr(L"无法读取 TIFF 文件：") + libtiffText(memory.Error()));
    const int pages = int(TIFFNumberOfDirectories(tif));
    if (page < 0 || page >= pages || !TIFFSetDirectory(tif, tdir_t(page)))
        return DecodedPicture::Failed(
            plat::trArgs(L"TIFF 文件没有第 %1 页（共 %2 页）", {std::to_wstring(page + 1), std::to_wstring(pages)}));
    const Layout l = readLayout(tif);
    const bool grey = l.Grey() || l.WideRgb();
    const bool rgb = !grey && l.Rgb();
    // Decoded bytes per pixel: a float or a colour pixel.
    const double decoded = 4.0;
    CString refusal = PictureProbe::CheckSize(l.width, l.height, decoded + PictureProbe::canvasBytesPerPixel);
    if (refusal.empty())
        refusal = PictureProbe::CheckPayload(l.width, l.height, double(l.width) * l.height * l.samples * l.bits / 8.0, size,
                                             bestRatio(tif));
    if (!refusal.empty())
        return DecodedPicture::Failed(refusal);
    if ((grey || rgb) && (l.chunkWidth == 0 || l.chunkHeight == 0 || !chunkFits(tif, l)))
        return DecodedPicture::Failed(L"无法读取 TIFF 文件：分块尺寸无效");

    DecodedPicture out;
    out.width = int(l.width);
    out.height = int(l.height);
    out.pages = pages;
    ChunkCount chunks;
    try {
        if (l.Grey8())
            decodeGrey8(tif, l, out, chunks);
        else if (grey)
            decodeGrey(tif, l, out, chunks);
        else if (rgb)
            decodeRgb(tif, l, out, chunks);
        else if (!decodeRgba(tif, l, out))
            chunks = {1, 1};
    } catch (const std::bad_alloc&) {
        return DecodedPicture::Failed(PictureProbe::TooLarge(l.width, l.height));
    }
    if (chunks.failed == chunks.total)
        return DecodedPicture::Failed(plat::tr(L"无法读取 TIFF 文件：") + libtiffText(memory.Error()));
    if (chunks.failed)
        out.warnings.push_back(L"图像文件不完整：有些部分无法解码，显示为黑色");
    return out;
}
