#include "pixorama/common/RawFile.h"

#include "FileDescriptor.h"

#include "pixorama/common/AlignedBuffer.h"
#include "pixorama/common/FileHelpers.h"
#include "pixorama/common/NumericTruncate.h"
#include "pixorama/platform/Modal.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

static_assert(std::endian::native == std::endian::little, "raw files are read without byte swapping");

namespace {

// Reading and converting a megabyte at a time keeps each chunk in cache
// between the read and the conversion; a multiple of the page size keeps
// every chunk of a page-aligned buffer page-aligned.
constexpr std::size_t chunkBytes = std::size_t(1) << 20;

struct AlignedDeleter {
    void operator()(void* p) const { pixAlignedFree(p); }
};
using ChunkBuffer = std::unique_ptr<unsigned char, AlignedDeleter>;

template <typename T>
std::size_t elementCount(const ClassData2DIOGeneral<T>& image)
{
    if (!image.data || image.width <= 0 || image.height <= 0)
        return 0;
    return std::size_t(image.width) * std::size_t(image.height);
}

// The existence test every raw reader starts with. An invalid descriptor
// means "nothing to read": the caller then converts zeros.
FileDescriptor openRaw(const char* path)
{
    if (!path || !cFileExist(path)) {
        plat::messageBox(L"文件不存在");
        return {};
    }
    return FileDescriptor::openRead(path);
}

// Fills count elements of Src from the file (zeros where it ends early) and
// hands them, a chunk at a time, to convert(src, firstIndex, n). When Src has
// the destination's size the chunks are read straight into dst and converted
// in place; otherwise they pass through one aligned scratch chunk.
template <typename Src, typename Convert>
void readElements(FileDescriptor& file, void* dst, std::size_t dstElementBytes, std::size_t count, Convert convert)
{
    const bool inPlace = dstElementBytes == sizeof(Src);
    ChunkBuffer scratch;
    if (!inPlace)
        scratch.reset(static_cast<unsigned char*>(pixAlignedAlloc(chunkBytes)));
    const std::size_t perChunk = chunkBytes / sizeof(Src);
    for (std::size_t first = 0; first < count; first += perChunk) {
        const std::size_t n = std::min(perChunk, count - first);
        unsigned char* bytes = inPlace ? static_cast<unsigned char*>(dst) + first * sizeof(Src) : scratch.get();
        const std::size_t wanted = n * sizeof(Src);
        // A partial element at the end of the file does not count.
        const std::size_t got = file.readUpTo(bytes, wanted) / sizeof(Src) * sizeof(Src);
        if (got < wanted) {
            std::memset(bytes + got, 0, wanted - got);
            file.close();  // nothing more to read: later chunks are all zeros
        }
        convert(reinterpret_cast<const Src*>(bytes), first, n);
    }
}

} // namespace

bool ReadUsDataShort(ClassData2DIO<unsigned short>& dst, const char* path)
{
    FileDescriptor file = openRaw(path);
    unsigned short* out = dst.data;
    // Same element size: the chunks land in dst itself and are converted
    // there. Writing through out alone (not through the aliasing input
    // pointer) keeps the loop vectorised.
    readElements<std::uint16_t>(file, out, sizeof(unsigned short), elementCount(dst),
                                [out](const std::uint16_t*, std::size_t first, std::size_t n) {
                                    // value + 32768 on a two's complement 16-bit value flips the top bit.
                                    unsigned short* chunk = out + first;
                                    for (std::size_t i = 0; i < n; ++i)
                                        chunk[i] ^= 0x8000u;
                                });
    return true;
}

bool ReadUsDataChar(ClassData2DIO<unsigned short>& dst, const char* path)
{
    FileDescriptor file = openRaw(path);
    unsigned short* out = dst.data;
    readElements<unsigned char>(file, out, sizeof(unsigned short), elementCount(dst),
                                [out](const unsigned char* in, std::size_t first, std::size_t n) {
                                    for (std::size_t i = 0; i < n; ++i)
                                        out[first + i] = in[i];
                                });
    return true;
}

bool ReadUsDataFloat(ClassData2DIO<unsigned short>& dst, const char* path, float lo, float hi)
{
    const float range = hi - lo;
    if (std::fabs(double(range)) < 0.0001)
        return false;
    const float factor = float(65535.0 / double(range));
    FileDescriptor file = openRaw(path);
    unsigned short* out = dst.data;
    readElements<float>(file, out, sizeof(unsigned short), elementCount(dst),
                        [out, lo, factor](const float* in, std::size_t first, std::size_t n) {
                            for (std::size_t i = 0; i < n; ++i)
                                out[first + i] = pixConvertTruncated<unsigned short>((in[i] - lo) * factor);
                        });
    return true;
}

bool pixReadRawFloat(ClassData2DIOGeneral<float>& image, const char* path)
{
    FileDescriptor file = openRaw(path);
    readElements<float>(file, image.data, sizeof(float), elementCount(image),
                        [](const float*, std::size_t, std::size_t) {});
    return true;
}
