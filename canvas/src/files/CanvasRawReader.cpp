#include "CanvasRawReader.h"

#include "pixorama/common/NumericTruncate.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/Translation.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

using Status = CanvasRawReader::Status;

// A megabyte per read keeps each chunk in cache between the read and the
// conversion.
constexpr std::size_t chunkBytes = std::size_t(1) << 20;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

inline std::uint16_t swapped(std::uint16_t v) { return __builtin_bswap16(v); }
inline std::uint32_t swapped(std::uint32_t v) { return __builtin_bswap32(v); }
inline std::uint64_t swapped(std::uint64_t v) { return __builtin_bswap64(v); }

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
void convert(const unsigned char* in, float* out, std::size_t n)
{
    using U = typename UnsignedOf<sizeof(T)>::type;
    for (std::size_t i = 0; i < n; ++i) {
        U bits;
        std::memcpy(&bits, in + i * sizeof(T), sizeof(T));
        if constexpr (Swap && sizeof(T) > 1)
            bits = swapped(bits);
        T v;
        std::memcpy(&v, &bits, sizeof(T));
        if constexpr (sizeof(T) == 8)
            out[i] = toFloat(double(v));
        else
            out[i] = float(v);
    }
}

using Converter = void (*)(const unsigned char*, float*, std::size_t);

template <typename T>
Converter converterFor(bool bigEndian)
{
    return bigEndian ? &convert<T, true> : &convert<T, false>;
}

Converter converterOf(int pixelType, bool bigEndian)
{
    switch (pixelType) {
    case 0: return converterFor<std::uint16_t>(bigEndian);
    case 1: return converterFor<float>(bigEndian);
    case 2: return converterFor<std::int16_t>(bigEndian);
    case 3: return converterFor<std::uint8_t>(bigEndian);
    case 4: return converterFor<std::int32_t>(bigEndian);
    case 5: return converterFor<double>(bigEndian);
    default: return nullptr;
    }
}

// Reads count elements of elementBytes each, converting a chunk at a time.
bool readConverted(std::FILE* file, float* out, std::size_t count, std::size_t elementBytes, Converter conv)
{
    std::vector<unsigned char> chunk(chunkBytes);
    const std::size_t perChunk = chunkBytes / elementBytes;
    for (std::size_t first = 0; first < count; first += perChunk) {
        const std::size_t n = std::min(perChunk, count - first);
        if (std::fread(chunk.data(), elementBytes, n, file) != n)
            return false;
        conv(chunk.data(), out + first, n);
    }
    return true;
}

// Gives image the size w x h, keeping its buffer when it already has that
// size: every pixel is written next, so nothing needs clearing.
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

std::wstring format(const wchar_t* pattern, long long a, long long b)
{
    wchar_t text[256];
    std::swprintf(text, sizeof text / sizeof text[0], plat::tr(std::wstring(pattern)).c_str(), a, b);
    return text;
}

} // namespace

int CanvasRawReader::ElementBytes(int pixelType)
{
    static constexpr int sizes[] = {2, 4, 2, 1, 4, 8};
    return pixelType >= 0 && pixelType < 6 ? sizes[pixelType] : 0;
}

CanvasRawReader::Result CanvasRawReader::Read(const CString& path, const tagQEVImaLoadPara& para,
                                              ClassData2DIO<float>& image)
{
    Result result;
    const int w = para.InImaW;
    const int h = para.InImaH;
    if (w <= 0 || h <= 0 || std::int64_t(w) * h > std::numeric_limits<int>::max()) {
        result.status = Status::BadSize;
        return result;
    }
    const int elementBytes = ElementBytes(para.InImaPixelType);
    if (elementBytes == 0) {
        result.status = Status::BadType;
        return result;
    }
    // 8-bit files have no header.
    const std::int64_t skip = para.InImaPixelType == 3 ? 0 : para.skipBytes;
    if (skip < 0) {
        result.status = Status::BadSkip;
        return result;
    }
    const std::size_t count = std::size_t(w) * std::size_t(h);
    result.neededBytes = skip + std::int64_t(count) * elementBytes;
    const std::filesystem::path file = plat::toPath(path);
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        result.status = sizeImage(image, w, h) ? Status::Missing : Status::NoMemory;
        if (result.status == Status::Missing)
            std::fill(image.data, image.data + count, 0.0f);
        return result;
    }
    const auto size = std::filesystem::is_regular_file(file, error) ? std::filesystem::file_size(file, error)
                                                                     : std::uintmax_t(-1);
    File stream(error || size == std::uintmax_t(-1) ? nullptr : std::fopen(file.c_str(), "rb"));
    if (!stream) {
        result.status = Status::CannotOpen;
        return result;
    }
    result.fileBytes = std::int64_t(size);
    if (result.fileBytes < result.neededBytes) {
        result.status = Status::TooShort;
        return result;
    }
    if (!sizeImage(image, w, h)) {
        result.status = Status::NoMemory;
        return result;
    }
    const Converter conv = converterOf(para.InImaPixelType, para.bLittleEndian == 0);
    if (std::fseek(stream.get(), long(skip), SEEK_SET) != 0
        || !readConverted(stream.get(), image.data, count, std::size_t(elementBytes), conv))
        result.status = Status::CannotOpen;
    return result;
}

void CanvasRawReader::MapRange(const ClassData2DIO<float>& image, const tagQEVImaLoadPara& para,
                               ClassData2DIO<unsigned char>& grey)
{
    grey.SetDim(image.width, image.height);
    const float lowIn = para.MapRangeLowIn;
    const float highIn = para.MapRangeHighIn;
    const float lowOut = std::max(para.MapRangeLowOut, 0.0f);
    const float highOut = std::min(para.MapRangeHighOut, 255.0f);
    const bool rescale = highIn - lowIn >= 1e-10f && highOut - lowOut >= 1e-10f;
    const float outWidth = highOut - lowOut;
    const float inWidth = highIn - lowIn;
    for (int y = 0; y < image.height; ++y) {
        const float* in = image.rows[y];
        unsigned char* out = grey.rows[y];
        for (int x = 0; x < image.width; ++x) {
            float v = in[x];
            if (rescale) {
                if (v <= lowIn)
                    v = lowOut;
                else if (v >= highIn)
                    v = highOut;
                else
                    v = (v - lowIn) * outWidth / inWidth + lowOut;
            }
            out[x] = static_cast<unsigned char>(pixTruncToInt64(v) & 0xFF);
        }
    }
}

CString CanvasRawReader::Message(const Result& result, const tagQEVImaLoadPara& para)
{
    switch (result.status) {
    case Status::Ok: return {};
    case Status::Missing: return L"文件不存在";
    case Status::CannotOpen: return L"无法读取文件";
    case Status::TooShort:
        return format(L"文件长度不足：需要 %lld 字节，实际 %lld 字节", result.neededBytes, result.fileBytes);
    case Status::BadSize: return format(L"图像尺寸无效：宽度 %lld，高度 %lld", para.InImaW, para.InImaH);
    case Status::BadSkip: return format(L"跳过字节数无效：%lld", para.skipBytes, 0);
    case Status::BadType: return format(L"不支持的像素类型：%lld", para.InImaPixelType, 0);
    case Status::NoMemory: return L"内存不足，无法读取图像";
    }
    return {};
}
