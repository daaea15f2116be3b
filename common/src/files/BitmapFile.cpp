#include "pixorama/common/BitmapFile.h"

#include "FileDescriptor.h"

#include "pixorama/platform/AtomicFile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace {

constexpr int fileHeaderBytes = 14;
constexpr int infoHeaderBytes = 40;
constexpr int headerBytes = fileHeaderBytes + infoHeaderBytes;
constexpr int paletteBytes = 1024;
// Pixel data larger than this is taken for a damaged header, not a picture.
constexpr std::int64_t maxPixelBytes = std::int64_t(1) << 31;
// Rows move between file and planes a megabyte at a time.
constexpr std::size_t chunkBytes = std::size_t(1) << 20;

std::uint32_t get32(const unsigned char* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

std::uint16_t get16(const unsigned char* p)
{
    return std::uint16_t(p[0] | p[1] << 8);
}

void put32(unsigned char* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}

void put16(unsigned char* p, std::uint16_t v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}

// Bytes per row: whole bits rounded up to 4 bytes.
std::int64_t strideOf(int bits, std::int64_t width)
{
    return (std::int64_t(bits) * width + 31) / 32 * 4;
}

struct BmpLayout {
    int width = 0;
    int rows = 0;
    int bits = 0;
    std::size_t stride = 0;
    std::int64_t dataOffset = 0;
};

// Checks every number the header supplies before anything is allocated.
bool parseLayout(const unsigned char* header, std::int64_t fileSize, BmpLayout& out)
{
    const auto width = std::int32_t(get32(header + 18));
    const auto height = std::int32_t(get32(header + 22));
    const int bits = get16(header + 28);
    if (width <= 0 || height == 0 || height == INT32_MIN)
        return false;
    const std::int64_t rows = height < 0 ? -std::int64_t(height) : height;
    if (std::int64_t(width) * rows > INT32_MAX)
        return false;
    // Depths this reader does not decode still need their pixel data present,
    // so a tiny file cannot make the planes huge.
    const std::int64_t stride = strideOf(std::max(bits, 1), width);
    if (stride > maxPixelBytes || stride * rows > maxPixelBytes)
        return false;
    const std::int64_t dataOffset = headerBytes + (bits == 8 ? paletteBytes : 0);
    if (fileSize < dataOffset || fileSize - dataOffset < stride * rows)
        return false;
    out = {width, int(rows), bits, std::size_t(stride), dataOffset};
    return true;
}

using RowSplitter = void (*)(const unsigned char* in, unsigned char* r, unsigned char* g, unsigned char* b, int width);

void splitGrey(const unsigned char* in, unsigned char* r, unsigned char* g, unsigned char* b, int width)
{
    std::memcpy(r, in, std::size_t(width));
    std::memcpy(g, in, std::size_t(width));
    std::memcpy(b, in, std::size_t(width));
}

template <int Step>
void splitColour(const unsigned char* in, unsigned char* r, unsigned char* g, unsigned char* b, int width)
{
    for (int x = 0; x < width; ++x, in += Step) {
        b[x] = in[0];
        g[x] = in[1];
        r[x] = in[2];
    }
}

RowSplitter splitterFor(int bits)
{
    switch (bits) {
    case 8: return splitGrey;
    case 24: return splitColour<3>;
    case 32: return splitColour<4>;
    default: return nullptr;
    }
}

using Plane = ClassData2DIO<unsigned char>;

bool refuse(std::initializer_list<Plane*> planes)
{
    for (Plane* p : planes)
        if (p)
            p->SetDim(0, 0);
    return false;
}

// Header, palette and rows of a bitmap this library writes. fillRow(y, out)
// writes the pixel bytes of row y; the padding stays zero.
template <typename FillRow>
bool writeBitmap(const char* path, int width, int height, int bits, FillRow fillRow)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    const bool grey = bits == 8;
    const std::size_t stride = std::size_t(strideOf(bits, width));
    const std::uint32_t offset = headerBytes + (grey ? paletteBytes : 0);
    const auto imageBytes = std::uint32_t(stride * std::size_t(height));

    std::vector<unsigned char> header(offset, 0);
    unsigned char* h = header.data();
    put16(h, 0x4D42);
    put32(h + 2, imageBytes + offset);
    put32(h + 10, offset);
    put32(h + 14, infoHeaderBytes);
    put32(h + 18, std::uint32_t(width));
    put32(h + 22, std::uint32_t(height));
    put16(h + 26, 1);
    put16(h + 28, std::uint16_t(bits));
    put32(h + 34, imageBytes);
    if (grey) {
        put32(h + 38, 47244);
        put32(h + 42, 47244);
        for (int i = 0; i < 256; ++i)
            std::memset(h + headerBytes + 4 * i, i, 3);
    }

    if (!path)
        return false;
    plat::AtomicFile file(path);
    if (!file.write(header.data(), header.size()))
        return false;
    if (stride > 0 && height > 0) {
        const std::size_t chunkRows = std::clamp<std::size_t>(chunkBytes / stride, 1, std::size_t(height));
        std::vector<unsigned char> chunk(chunkRows * stride, 0);
        for (int y0 = 0; y0 < height; y0 += int(chunkRows)) {
            const int n = std::min(int(chunkRows), height - y0);
            for (int i = 0; i < n; ++i)
                fillRow(y0 + i, chunk.data() + std::size_t(i) * stride);
            if (!file.write(chunk.data(), std::size_t(n) * stride))
                return false;
        }
    }
    return file.commit();
}

// Planes that already have the size are reused: reading a sequence into the
// same containers then costs no fresh pages. Planes the rows will overwrite
// need no zeroing.
void sizePlane(Plane& p, int w, int h, bool zero)
{
    if (p.width != w || p.height != h || !p.data || !p.rows) {
        p.SetDim(w, h);
        return;
    }
    if (zero)
        std::memset(p.data, 0, std::size_t(w) * std::size_t(h));
    p.roi = {0, 0, w - 1, h - 1};
}

bool sameSize(const Plane& a, const Plane& b)
{
    return a.width == b.width && a.height == b.height;
}

// The grey level of QEVColorToGray, by table: the same products summed in
// the same order, so every level matches it exactly.
struct GreyWeights {
    double r[256], g[256], b[256];
    unsigned char level[256]; // of a grey pixel (v, v, v)

    GreyWeights()
    {
        for (int v = 0; v < 256; ++v) {
            r[v] = 0.299 * v;
            g[v] = 0.587 * v;
            b[v] = 0.114 * v;
            int grey = 0;
            ColorToGrayPixel(v, v, v, grey);
            level[v] = static_cast<unsigned char>(grey);
        }
    }
};

const GreyWeights& greyWeights()
{
    static const GreyWeights weights;
    return weights;
}

using GreyRow = void (*)(const unsigned char* in, unsigned char* out, int width);

void greyOfGrey(const unsigned char* in, unsigned char* out, int width)
{
    const unsigned char* level = greyWeights().level;
    for (int x = 0; x < width; ++x)
        out[x] = level[in[x]];
}

template <int Step>
void greyOfColour(const unsigned char* in, unsigned char* out, int width)
{
    const GreyWeights& w = greyWeights();
    for (int x = 0; x < width; ++x, in += Step)
        out[x] = static_cast<unsigned char>(int(w.r[in[2]] + w.g[in[1]] + w.b[in[0]]));
}

GreyRow greyRowFor(int bits)
{
    switch (bits) {
    case 8: return greyOfGrey;
    case 24: return greyOfColour<3>;
    case 32: return greyOfColour<4>;
    default: return nullptr;
    }
}

// Opens path and checks its header; then prepare(layout) sizes the output
// and says whether the rows are wanted, and take(y, row, width) receives
// each pixel row in file order. False for a file that cannot be read.
template <typename Prepare, typename Take>
bool readBitmap(const char* path, Prepare prepare, Take take)
{
    FileDescriptor file = FileDescriptor::openRead(path);
    unsigned char header[headerBytes];
    BmpLayout layout;
    if (!file.valid() || file.readUpTo(header, headerBytes) != headerBytes || !parseLayout(header, file.size(), layout))
        return false;
    if (!prepare(layout))
        return true;
    const std::size_t chunkRows = std::clamp<std::size_t>(chunkBytes / layout.stride, 1, std::size_t(layout.rows));
    std::vector<unsigned char> chunk(std::max<std::size_t>(chunkRows * layout.stride, paletteBytes));
    // The palette is not used: an 8-bit pixel is its own grey level.
    if (layout.bits == 8 && file.readUpTo(chunk.data(), paletteBytes) != std::size_t(paletteBytes))
        return false;
    for (int y0 = 0; y0 < layout.rows; y0 += int(chunkRows)) {
        const int n = std::min(int(chunkRows), layout.rows - y0);
        const std::size_t wanted = std::size_t(n) * layout.stride;
        if (file.readUpTo(chunk.data(), wanted) != wanted)
            return false; // the file shrank under us
        for (int i = 0; i < n; ++i)
            take(y0 + i, chunk.data() + std::size_t(i) * layout.stride, layout.width);
    }
    return true;
}

} // namespace

bool QEVReadColorBmp(const char* path, Plane* r, Plane* g, Plane* b, Plane* a)
{
    if (!r || !g || !b)
        return refuse({r, g, b, a});
    RowSplitter split = nullptr;
    const auto prepare = [&](const BmpLayout& layout) {
        split = splitterFor(layout.bits);
        for (Plane* p : {r, g, b, a})
            if (p)
                sizePlane(*p, layout.width, layout.rows, !split || p == a);
        return split != nullptr;
    };
    const auto take = [&](int y, const unsigned char* row, int width) {
        split(row, r->rows[y], g->rows[y], b->rows[y], width);
    };
    return readBitmap(path, prepare, take) || refuse({r, g, b, a});
}

bool QEVReadGrayBmp(const char* path, Plane* grey)
{
    if (!grey)
        return false;
    // Straight from the file rows to grey, without colour planes between.
    GreyRow convert = nullptr;
    const auto prepare = [&](const BmpLayout& layout) {
        convert = greyRowFor(layout.bits);
        sizePlane(*grey, layout.width, layout.rows, !convert);
        return convert != nullptr;
    };
    const auto take = [&](int y, const unsigned char* row, int width) { convert(row, grey->rows[y], width); };
    return readBitmap(path, prepare, take) || refuse({grey});
}

bool QEVColorToGray(Plane* r, Plane* g, Plane* b, Plane* grey)
{
    if (!r || !g || !b || !grey)
        return false;
    const int w = std::max(r->width, 0);
    const int h = std::max(r->height, 0);
    if (g->width < w || g->height < h || b->width < w || b->height < h)
        return false;
    grey->SetDim(w, h);
    for (int y = 0; y < h; ++y) {
        const unsigned char* rr = r->rows[y];
        const unsigned char* gg = g->rows[y];
        const unsigned char* bb = b->rows[y];
        unsigned char* out = grey->rows[y];
        for (int x = 0; x < w; ++x) {
            int v = 0;
            ColorToGrayPixel(rr[x], gg[x], bb[x], v);
            out[x] = static_cast<unsigned char>(v);
        }
    }
    return true;
}

bool QEVSaveGrayBmp(const char* path, Plane& grey)
{
    return writeBitmap(path, grey.width, grey.height, 8, [&grey](int y, unsigned char* out) {
        std::memcpy(out, grey.rows[y], std::size_t(grey.width));
    });
}

bool QEVSaveColorBmp(const char* path, Plane* r, Plane* g, Plane* b)
{
    if (!r || !g || !b || !sameSize(*r, *g) || !sameSize(*r, *b))
        return false;
    return writeBitmap(path, r->width, r->height, 24, [r, g, b](int y, unsigned char* out) {
        const unsigned char* rr = r->rows[y];
        const unsigned char* gg = g->rows[y];
        const unsigned char* bb = b->rows[y];
        for (int x = 0; x < r->width; ++x, out += 3) {
            out[0] = bb[x];
            out[1] = gg[x];
            out[2] = rr[x];
        }
    });
}

bool QEVSaveColorBmp(const char* path, ClassData2DIO<tagStructRGBA>* image)
{
    if (!image)
        return false;
    return writeBitmap(path, image->width, image->height, 24, [image](int y, unsigned char* out) {
        const tagStructRGBA* in = image->rows[y];
        for (int x = 0; x < image->width; ++x, out += 3) {
            out[0] = in[x].blue;
            out[1] = in[x].green;
            out[2] = in[x].red;
        }
    });
}
