#include "RawFrame.h"

#include "pixorama/common/NumericTruncate.h"
#include "pixorama/platform/AtomicFile.h"
#include "pixorama/platform/Strings.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <vector>

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

inline std::uint16_t byteSwapped(std::uint16_t v) { return __builtin_bswap16(v); }
inline std::uint32_t byteSwapped(std::uint32_t v) { return __builtin_bswap32(v); }

constexpr bool machineLittle = std::endian::native == std::endian::little;
constexpr std::size_t chunkElements = std::size_t(1) << 18;

template <typename T, typename U, bool Swap>
void decode(const unsigned char* in, float* out, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i) {
        U bits;
        std::memcpy(&bits, in + i * sizeof(U), sizeof(U));
        if constexpr (Swap)
            bits = byteSwapped(bits);
        out[i] = float(std::bit_cast<T>(bits));
    }
}

void decodeElements(const unsigned char* in, float* out, std::size_t n, const RawLayout& layout)
{
    const bool swap = layout.littleEndian != machineLittle;
    if (layout.pixelType == 0)
        (swap ? decode<std::uint16_t, std::uint16_t, true> : decode<std::uint16_t, std::uint16_t, false>)(in, out, n);
    else
        (swap ? decode<float, std::uint32_t, true> : decode<float, std::uint32_t, false>)(in, out, n);
}

template <typename T, typename U>
void encode(const float* in, unsigned char* out, std::size_t n, bool swap)
{
    for (std::size_t i = 0; i < n; ++i) {
        T v;
        if constexpr (std::is_same_v<T, float>)
            v = in[i];
        else
            v = T(std::clamp<std::int64_t>(pixTruncToInt64(in[i]), 0, 65535));
        U bits = std::bit_cast<U>(v);
        if (swap)
            bits = byteSwapped(bits);
        std::memcpy(out + i * sizeof(U), &bits, sizeof(U));
    }
}

// Reads count elements from the stream's position, a chunk at a time.
bool readDecoded(std::FILE* file, float* out, std::size_t count, const RawLayout& layout)
{
    const std::size_t bytes = std::size_t(layout.ElementBytes());
    std::vector<unsigned char> chunk(std::min(count, chunkElements) * bytes);
    for (std::size_t first = 0; first < count; first += chunkElements) {
        const std::size_t n = std::min(chunkElements, count - first);
        if (std::fread(chunk.data(), bytes, n, file) != n)
            return false;
        decodeElements(chunk.data(), out + first, n, layout);
    }
    return true;
}

} // namespace

int RawLayout::ElementBytes() const
{
    return pixelType == 0 ? 2 : pixelType == 1 ? 4 : 0;
}

std::int64_t RawLayout::FrameBytes() const
{
    if (width <= 0 || height <= 0 || ElementBytes() == 0)
        return 0;
    return std::int64_t(width) * height * ElementBytes();
}

std::int64_t RawFileBytes(const CString& path)
{
    std::error_code error;
    const std::filesystem::path file = plat::toPath(path);
    if (!std::filesystem::is_regular_file(file, error))
        return -1;
    const auto size = std::filesystem::file_size(file, error);
    return error ? -1 : std::int64_t(size);
}

FrameStatus ReadRawFrame(const CString& path, const RawLayout& layout, ClassData2DIO<float>& image)
{
    const std::int64_t need = layout.FrameBytes();
    if (need == 0 || std::int64_t(layout.width) * layout.height > std::numeric_limits<int>::max())
        return FrameStatus::BadLayout;
    if (image.width != layout.width || image.height != layout.height || !image.data || !image.ownsData) {
        try {
            image.SetDim(layout.width, layout.height);
        } catch (const std::bad_alloc&) {
            image.Clear();
            return FrameStatus::NoMemory;
        }
    }
    const std::size_t count = std::size_t(layout.width) * std::size_t(layout.height);
    const std::int64_t size = RawFileBytes(path);
    File file(size >= need ? std::fopen(plat::toPath(path).c_str(), "rb") : nullptr);
    if (file && readDecoded(file.get(), image.data, count, layout))
        return FrameStatus::Ok;
    std::fill(image.data, image.data + count, 0.0f);
    return size < 0 ? FrameStatus::Missing : FrameStatus::Short;
}

FrameStatus ReadRawSpan(const CString& path, const RawLayout& layout, std::int64_t first, float* out, int count)
{
    const std::int64_t bytes = layout.ElementBytes();
    if (bytes == 0 || first < 0 || count <= 0)
        return FrameStatus::BadLayout;
    const std::int64_t size = RawFileBytes(path);
    const std::int64_t end = (first + count) * bytes;
    File file(size >= end ? std::fopen(plat::toPath(path).c_str(), "rb") : nullptr);
    if (file && std::fseek(file.get(), long(first * bytes), SEEK_SET) == 0
        && readDecoded(file.get(), out, std::size_t(count), layout))
        return FrameStatus::Ok;
    std::fill(out, out + count, 0.0f);
    return size < 0 ? FrameStatus::Missing : FrameStatus::Short;
}

bool WriteRawFrame(plat::AtomicFile& out, const ClassData2DIO<float>& image, const RawLayout& layout)
{
    const std::size_t bytes = std::size_t(layout.ElementBytes());
    if (bytes == 0 || image.IsEmpty())
        return false;
    const bool swap = layout.littleEndian != machineLittle;
    std::vector<unsigned char> row(std::size_t(image.width) * bytes);
    for (int y = 0; y < image.height; ++y) {
        if (layout.pixelType == 0)
            encode<std::uint16_t, std::uint16_t>(image.rows[y], row.data(), std::size_t(image.width), swap);
        else
            encode<float, std::uint32_t>(image.rows[y], row.data(), std::size_t(image.width), swap);
        if (!out.write(row.data(), row.size()))
            return false;
    }
    return true;
}

bool WriteRawFrame(const std::filesystem::path& target, const ClassData2DIO<float>& image, const RawLayout& layout)
{
    plat::AtomicFile out(target);
    return WriteRawFrame(out, image, layout) && out.commit();
}
