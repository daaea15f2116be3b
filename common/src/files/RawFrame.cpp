#include "pixorama/common/RawFrame.h"

#include "pixorama/common/NumericTruncate.h"
#include "pixorama/platform/AtomicFile.h"
#include "pixorama/platform/Strings.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

namespace {

// A megabyte per read keeps each chunk in cache between the read and the
// conversion.
constexpr std::size_t chunkBytes = std::size_t(1) << 20;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

template <std::size_t N>
struct UnsignedOf;
template <>
struct UnsignedOf<1> { using type = std::uint8_t; };
template <>
struct UnsignedOf<2> { using type = std::uint16_t; };
template <>
struct UnsignedOf<4> { using type = std::uint32_t; };
template <>
struct UnsignedOf<8> { using type = std::uint64_t; };

template <typename U>
U byteSwapped(U v)
{
    if constexpr (sizeof(U) == 2)
        return __builtin_bswap16(v);
    else if constexpr (sizeof(U) == 4)
        return __builtin_bswap32(v);
    else if constexpr (sizeof(U) == 8)
        return __builtin_bswap64(v);
    else
        return v;
}

// Doubles beyond the float range become infinities, as IEEE narrowing does.
inline float toFloat(double v)
{
    if (v > double(FLT_MAX))
        return std::numeric_limits<float>::infinity();
    if (v < -double(FLT_MAX))
        return -std::numeric_limits<float>::infinity();
    return float(v);
}

template <typename T, bool Swap>
void decode(const unsigned char* in, float* out, std::size_t n)
{
    using U = typename UnsignedOf<sizeof(T)>::type;
    for (std::size_t i = 0; i < n; ++i) {
        U bits;
        std::memcpy(&bits, in + i * sizeof(T), sizeof(T));
        if constexpr (Swap)
            bits = byteSwapped(bits);
        if constexpr (sizeof(T) == 8)
            out[i] = toFloat(std::bit_cast<T>(bits));
        else
            out[i] = float(std::bit_cast<T>(bits));
    }
}

template <typename T, bool Swap>
void encode(const float* in, unsigned char* out, std::size_t n)
{
    using U = typename UnsignedOf<sizeof(T)>::type;
    for (std::size_t i = 0; i < n; ++i) {
        T v;
        if constexpr (std::is_floating_point_v<T>)
            v = T(in[i]);
        else
            v = T(std::clamp<std::int64_t>(pixTruncToInt64(in[i]), std::numeric_limits<T>::min(),
                                           std::numeric_limits<T>::max()));
        U bits = std::bit_cast<U>(v);
        if constexpr (Swap)
            bits = byteSwapped(bits);
        std::memcpy(out + i * sizeof(T), &bits, sizeof(T));
    }
}

// The element conversions of one layout, chosen once per frame.
struct Codec {
    void (*decode)(const unsigned char*, float*, std::size_t) = nullptr;
    void (*encode)(const float*, unsigned char*, std::size_t) = nullptr;
};

template <typename T>
Codec codecFor(bool swap)
{
    if (swap)
        return {&decode<T, true>, &encode<T, true>};
    return {&decode<T, false>, &encode<T, false>};
}

Codec codecOf(const RawLayout& layout)
{
    const bool swap = layout.littleEndian != (std::endian::native == std::endian::little);
    switch (layout.pixelType) {
    case 0: return codecFor<std::uint16_t>(swap);
    case 1: return codecFor<float>(swap);
    case 2: return codecFor<std::int16_t>(swap);
    case 3: return codecFor<std::uint8_t>(swap);
    case 4: return codecFor<std::int32_t>(swap);
    case 5: return codecFor<double>(swap);
    default: return {};
    }
}

// Reads count elements from the stream's position, a chunk at a time.
bool readDecoded(std::FILE* file, float* out, std::size_t count, const RawLayout& layout)
{
    const std::size_t bytes = std::size_t(layout.ElementBytes());
    const auto decode = codecOf(layout).decode;
    const std::size_t perChunk = chunkBytes / bytes;
    std::vector<unsigned char> chunk(std::min(count, perChunk) * bytes);
    for (std::size_t first = 0; first < count; first += perChunk) {
        const std::size_t n = std::min(perChunk, count - first);
        if (std::fread(chunk.data(), bytes, n, file) != n)
            return false;
        decode(chunk.data(), out + first, n);
    }
    return true;
}

// Opens path when it is a regular file of at least need bytes, positioned
// at offset; status says why not otherwise.
File openAt(const CString& path, std::int64_t need, std::int64_t offset, FrameStatus& status)
{
    const std::int64_t size = RawFileBytes(path);
    std::error_code error;
    if (size < 0) {
        status = std::filesystem::exists(plat::toPath(path), error) ? FrameStatus::CannotOpen : FrameStatus::Missing;
        return nullptr;
    }
    if (size < need) {
        status = FrameStatus::Short;
        return nullptr;
    }
    File file(std::fopen(plat::toPath(path).c_str(), "rb"));
    if (!file || fseeko(file.get(), off_t(offset), SEEK_SET) != 0) {
        status = FrameStatus::CannotOpen;
        return nullptr;
    }
    status = FrameStatus::Ok;
    return file;
}

// Gives image the size w x h, keeping its buffer when it already has that
// size.
bool sizeImage(ClassData2DIO<float>& image, int w, int h)
{
    if (image.width == w && image.height == h && image.rows && image.data && image.ownsData && image.ownsRows)
        return true;
    try {
        image.SetDim(w, h);
    } catch (const std::bad_alloc&) {
        image.Clear();
        return false;
    }
    return true;
}

} // namespace

int RawLayout::ElementBytes(int pixelType)
{
    static constexpr int sizes[] = {2, 4, 2, 1, 4, 8};
    return pixelType >= 0 && pixelType < 6 ? sizes[pixelType] : 0;
}

std::int64_t RawLayout::FrameBytes() const
{
    if (ValidLayout(*this) != FrameStatus::Ok)
        return 0;
    return skipBytes + std::int64_t(width) * height * ElementBytes();
}

FrameStatus ValidLayout(const RawLayout& layout)
{
    if (layout.width <= 0 || layout.height <= 0
        || std::int64_t(layout.width) * layout.height > std::numeric_limits<int>::max())
        return FrameStatus::BadSize;
    if (layout.skipBytes < 0)
        return FrameStatus::BadSkip;
    if (layout.ElementBytes() == 0)
        return FrameStatus::BadType;
    return FrameStatus::Ok;
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
    const FrameStatus valid = ValidLayout(layout);
    if (valid != FrameStatus::Ok)
        return valid;
    if (!sizeImage(image, layout.width, layout.height))
        return FrameStatus::NoMemory;
    const std::size_t count = std::size_t(layout.width) * std::size_t(layout.height);
    FrameStatus status;
    File file = openAt(path, layout.FrameBytes(), layout.skipBytes, status);
    if (file && !readDecoded(file.get(), image.data, count, layout))
        status = FrameStatus::CannotOpen;
    if (status != FrameStatus::Ok)
        std::fill(image.data, image.data + count, 0.0f);
    return status;
}

FrameStatus ReadRawSpan(const CString& path, const RawLayout& layout, std::int64_t first, float* out, int count)
{
    // The span checked as a frame of one row.
    const RawLayout span{std::max(count, 0), 1, layout.pixelType, layout.littleEndian, layout.skipBytes};
    FrameStatus status = first < 0 ? FrameStatus::BadSize : ValidLayout(span);
    if (status == FrameStatus::Ok) {
        const std::int64_t start = layout.skipBytes + first * layout.ElementBytes();
        File file = openAt(path, start + std::int64_t(count) * layout.ElementBytes(), start, status);
        if (file && readDecoded(file.get(), out, std::size_t(count), layout))
            return FrameStatus::Ok;
        if (file)
            status = FrameStatus::CannotOpen;
    }
    if (count > 0)
        std::fill(out, out + count, 0.0f);
    return status;
}

bool WriteRawFrame(plat::AtomicFile& out, const ClassData2DIO<float>& image, const RawLayout& layout)
{
    const std::size_t bytes = std::size_t(layout.ElementBytes());
    if (bytes == 0 || image.IsEmpty())
        return false;
    const auto encode = codecOf(layout).encode;
    std::vector<unsigned char> row(std::size_t(image.width) * bytes);
    for (int y = 0; y < image.height; ++y) {
        encode(image.rows[y], row.data(), std::size_t(image.width));
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
