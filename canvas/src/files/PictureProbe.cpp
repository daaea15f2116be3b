#include "PictureProbe.h"

#include "pixorama/common/MemoryBudget.h"
#include "pixorama/platform/Translation.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

bool startsWith(const std::uint8_t* bytes, std::size_t size, const char* magic, std::size_t n)
{
    return size >= n && std::memcmp(bytes, magic, n) == 0;
}

} // namespace

PictureProbe::Format PictureProbe::Sniff(const std::uint8_t* bytes, std::size_t size)
{
    // "DICM" after the 128-byte preamble comes first: dual files keep a TIFF
    // header in that preamble, and the DICOM side is the one that is whole.
    if (size >= 132 && std::memcmp(bytes + 128, "DICM", 4) == 0)
        return Format::Dicom;
    if (startsWith(bytes, size, "II*\0", 4) || startsWith(bytes, size, "MM\0*", 4)
        || startsWith(bytes, size, "II+\0", 4) || startsWith(bytes, size, "MM\0+", 4))
        return Format::Tiff;
    if (startsWith(bytes, size, "\x89PNG\r\n\x1a\n", 8))
        return Format::Png;
    if (startsWith(bytes, size, "\xFF\xD8\xFF", 3))
        return Format::Jpeg;
    return Format::Unknown;
}

std::wstring PictureProbe::CheckSize(std::int64_t width, std::int64_t height, double bytesPerPixel)
{
    if (width <= 0 || height <= 0)
        return plat::trArgs(L"图像尺寸无效：宽度 %1，高度 %2", {std::to_wstring(width), std::to_wstring(height)});
    const std::wstring tooLarge = TooLarge(width, height);
    // Checked one side at a time first so the product cannot overflow.
    if (width > pixelLimit || height > pixelLimit || width * height > pixelLimit)
        return tooLarge;
    return MemoryBudget::Refusal(double(width) * double(height) * bytesPerPixel);
}

std::wstring PictureProbe::CheckPayload(std::int64_t width, std::int64_t height, double decodedBytes,
                                       std::size_t fileBytes, double maxRatio)
{
    if (decodedBytes <= double(fileBytes) * maxRatio)
        return {};
    return plat::trArgs(L"图像文件太小，容纳不下宽度 %1，高度 %2 的图像", {std::to_wstring(width), std::to_wstring(height)});
}

std::wstring PictureProbe::TooLarge(std::int64_t width, std::int64_t height)
{
    return plat::trArgs(L"图像太大：宽度 %1，高度 %2", {std::to_wstring(width), std::to_wstring(height)});
}

bool PictureProbe::LooksComplete(Format format, const std::uint8_t* bytes, std::size_t size)
{
    if (format == Format::Png) {
        // The IEND chunk (length 0, type, CRC) near the end; a little
        // trailing junk is allowed.
        const std::size_t from = size > 64 ? size - 64 : 0;
        const char* tag = "IEND";
        return std::search(bytes + from, bytes + size, tag, tag + 4) != bytes + size;
    }
    if (format == Format::Jpeg) {
        // The end-of-image marker, possibly followed by padding.
        std::size_t end = size;
        while (end > 0 && (bytes[end - 1] == 0x00 || bytes[end - 1] == 0x0A || bytes[end - 1] == 0x0D)
               && size - end < 4096)
            --end;
        return end >= 2 && bytes[end - 2] == 0xFF && bytes[end - 1] == 0xD9;
    }
    return true;
}

std::uint64_t PictureProbe::AvailableMemory()
{
    return MemoryBudget::Available();
}

void PictureProbe::SetAvailableMemoryForTesting(std::uint64_t bytes)
{
    MemoryBudget::SetAvailableForTesting(bytes);
}

std::size_t PictureProbe::ReplaceNonFinite(std::vector<float>& values)
{
    float lowest = std::numeric_limits<float>::infinity();
    std::size_t count = 0;
    for (const float v : values) {
        if (std::isfinite(v))
            lowest = std::min(lowest, v);
        else
            ++count;
    }
    if (count == 0)
        return 0;
    if (!std::isfinite(lowest))
        lowest = 0.0f;
    for (float& v : values)
        if (!std::isfinite(v))
            v = lowest;
    return count;
}

std::wstring PictureProbe::NonFiniteWarning(std::size_t count)
{
    return plat::trArgs(L"图像中有 %1 个无效值（NaN 或无穷大），显示为最小值", {std::to_wstring(count)});
}
