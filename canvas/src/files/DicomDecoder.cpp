#include "DicomDecoder.h"

#include "ChildDecode.h"
#include "DicomLengths.h"
#include "PictureProbe.h"

#include "pixorama/common/MemoryBudget.h"

#include <gdcmImage.h>
#include <gdcmImageReader.h>
#include <gdcmTrace.h>

#include <algorithm>
#include <cstdlib>
#include <istream>
#include <new>
#include <streambuf>
#include <string>

namespace {

// A read-only, seekable stream over bytes in memory.
class MemoryBuffer : public std::streambuf {
public:
    MemoryBuffer(const std::uint8_t* data, std::size_t size)
    {
        char* begin = reinterpret_cast<char*>(const_cast<std::uint8_t*>(data));
        setg(begin, begin, begin + size);
    }

protected:
    pos_type seekoff(off_type offset, std::ios_base::seekdir dir, std::ios_base::openmode) override
    {
        char* base = dir == std::ios_base::beg ? eback() : dir == std::ios_base::cur ? gptr() : egptr();
        const off_type target = (base - eback()) + offset;
        if (target < 0 || target > egptr() - eback())
            return pos_type(off_type(-1));
        setg(eback(), eback() + target, egptr());
        return pos_type(target);
    }
    pos_type seekpos(pos_type pos, std::ios_base::openmode mode) override
    {
        return seekoff(off_type(pos), std::ios_base::beg, mode);
    }
};

// The numbers of a decimal-string element ("0.5\0.5"); empty when absent.
std::vector<double> numbers(const gdcm::DataSet& set, std::uint16_t group, std::uint16_t element)
{
    std::vector<double> out;
    const gdcm::Tag tag(group, element);
    if (!set.FindDataElement(tag))
        return out;
    const gdcm::ByteValue* value = set.GetDataElement(tag).GetByteValue();
    if (!value || !value->GetPointer())
        return out;
    const std::string text(value->GetPointer(), value->GetLength());
    const char* p = text.c_str();
    while (*p) {
        char* end = nullptr;
        const double v = std::strtod(p, &end);
        if (end == p)
            break;
        out.push_back(v);
        p = end;
        while (*p == ' ' || *p == '\\')
            ++p;
    }
    return out;
}

// Stored values of one frame as float, sign and stored bits respected.
template <typename T>
void storedToFloat(const char* frame, std::size_t count, unsigned bitsStored, float* out)
{
    const T* in = reinterpret_cast<const T*>(frame);
    constexpr unsigned bits = sizeof(T) * 8;
    if (bitsStored >= bits || bitsStored == 0) {
        for (std::size_t i = 0; i < count; ++i)
            out[i] = float(in[i]);
        return;
    }
    const unsigned shift = bits - bitsStored;
    for (std::size_t i = 0; i < count; ++i) {
        // Drops what is stored above the high bit (overlays), extending
        // the sign of signed values.
        using U = std::make_unsigned_t<T>;
        const T v = T(U(U(in[i]) << shift)) >> shift;
        out[i] = float(std::is_signed_v<T> ? v : T(U(in[i]) & U((U(1) << bitsStored) - 1)));
    }
}

bool greyFrame(const gdcm::PixelFormat& format, const char* frame, std::size_t count, float* out)
{
    const unsigned stored = format.GetBitsStored();
    switch (format.GetScalarType()) {
    case gdcm::PixelFormat::UINT8: storedToFloat<std::uint8_t>(frame, count, stored, out); return true;
    case gdcm::PixelFormat::INT8: storedToFloat<std::int8_t>(frame, count, stored, out); return true;
    case gdcm::PixelFormat::UINT12:
    case gdcm::PixelFormat::UINT16: storedToFloat<std::uint16_t>(frame, count, stored, out); return true;
    case gdcm::PixelFormat::INT12:
    case gdcm::PixelFormat::INT16: storedToFloat<std::int16_t>(frame, count, stored, out); return true;
    case gdcm::PixelFormat::UINT32: storedToFloat<std::uint32_t>(frame, count, stored, out); return true;
    case gdcm::PixelFormat::INT32: storedToFloat<std::int32_t>(frame, count, stored, out); return true;
    default: return false;
    }
}

void rescale(std::vector<float>& values, double slope, double intercept)
{
    if (slope == 1.0 && intercept == 0.0)
        return;
    for (float& v : values)
        v = float(double(v) * slope + intercept);
}

void colourFrame(const gdcm::Image& image, const char* frame, std::size_t count, DecodedPicture& out)
{
    const auto* in = reinterpret_cast<const std::uint8_t*>(frame);
    // Samples side by side, or one plane per colour.
    const bool planar = image.GetPlanarConfiguration() == 1;
    const std::size_t step = planar ? 1 : 3;
    const std::size_t plane = planar ? count : 1;
    out.colour.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = in + i * step;
        out.colour[i] = std::uint32_t(p[0]) << 16 | std::uint32_t(p[plane]) << 8 | p[2 * plane];
    }
}

void readDisplayHints(const gdcm::DataSet& set, DecodedPicture& out)
{
    const std::vector<double> centre = numbers(set, 0x0028, 0x1050);
    const std::vector<double> width = numbers(set, 0x0028, 0x1051);
    if (!centre.empty() && !width.empty() && width[0] > 0) {
        out.hasWindow = true;
        out.windowCentre = centre[0];
        out.windowWidth = width[0];
    }
    // Pixel spacing, else the detector's spacing of a projection radiograph:
    // row spacing first, then column spacing, in millimetres.
    std::vector<double> spacing = numbers(set, 0x0028, 0x0030);
    if (spacing.size() < 2)
        spacing = numbers(set, 0x0018, 0x1164);
    if (spacing.size() >= 2 && spacing[0] > 0 && spacing[1] > 0) {
        out.pixelSpacing = (spacing[0] + spacing[1]) / 2;
        if (spacing[0] != spacing[1])
            out.warnings.push_back(L"像素间距在两个方向不同，测量按平均值计算");
    }
}

DecodedPicture decode(const std::uint8_t* data, std::size_t size)
{
    if (!DicomLengths::FitInFile(data, size))
        return DecodedPicture::Failed(L"DICOM 文件不完整");
    MemoryBuffer buffer(data, size);
    std::istream stream(&buffer);
    gdcm::ImageReader reader;
    reader.SetStream(stream);
    if (!reader.Read())
        return DecodedPicture::Failed(L"无法读取 DICOM 文件");
    const gdcm::Image& image = reader.GetImage();
    const gdcm::PixelFormat format = image.GetPixelFormat();
    const std::int64_t w = image.GetDimension(0);
    const std::int64_t h = image.GetDimension(1);
    const std::int64_t frames = image.GetNumberOfDimensions() > 2 ? std::max(1u, image.GetDimension(2)) : 1;
    const bool colour = format.GetSamplesPerPixel() == 3;
    CString refusal = PictureProbe::CheckSize(w, h, 4.0 + PictureProbe::canvasBytesPerPixel);
    const unsigned long length = image.GetBufferLength();
    if (refusal.empty())
        refusal = PictureProbe::CheckPayload(w, h, double(length), size,
                                             image.GetTransferSyntax().IsEncapsulated() ? PictureProbe::deflateRatio : 1.0);
    if (!refusal.empty())
        return DecodedPicture::Failed(refusal);
    const std::size_t frameBytes = std::size_t(w * h) * format.GetPixelSize();
    if (length == 0 || frameBytes == 0 || length < frameBytes || length / frameBytes < std::uint64_t(frames))
        return DecodedPicture::Failed(PictureProbe::TooLarge(w, h));
    // The decoder holds the whole buffer, the picture its frame on top.
    if (const CString noRoom = MemoryBudget::Refusal(2.0 * double(length)); !noRoom.empty())
        return DecodedPicture::Failed(noRoom);
    const auto photometric = image.GetPhotometricInterpretation();
    if (colour && photometric != gdcm::PhotometricInterpretation::RGB)
        return DecodedPicture::Failed(L"不支持的 DICOM 颜色格式");
    if (!colour && format.GetSamplesPerPixel() != 1)
        return DecodedPicture::Failed(L"不支持的 DICOM 像素格式");

    std::vector<char> pixels(length);
    if (!image.GetBuffer(pixels.data()))
        return DecodedPicture::Failed(L"无法解码 DICOM 图像数据");

    DecodedPicture out;
    out.width = int(w);
    out.height = int(h);
    out.pages = int(frames);
    const std::size_t count = std::size_t(w * h);
    if (colour) {
        if (format.GetBitsAllocated() != 8)
            return DecodedPicture::Failed(L"不支持的 DICOM 颜色格式");
        colourFrame(image, pixels.data(), count, out);
        return out;
    }
    out.values.resize(count);
    if (!greyFrame(format, pixels.data(), count, out.values.data()))
        return DecodedPicture::Failed(L"不支持的 DICOM 像素格式");
    pixels = {};
    rescale(out.values, image.GetSlope(), image.GetIntercept());
    out.inverted = photometric == gdcm::PhotometricInterpretation::MONOCHROME1;
    readDisplayHints(reader.GetFile().GetDataSet(), out);
    return out;
}

} // namespace

DecodedPicture DicomDecoder::Decode(const std::uint8_t* data, std::size_t size)
{
    // GDCM as packaged stops the process with an assertion on some
    // malformed files: it decodes in a child process.
    // The child may hold the file's elements, the pixel data of every frame
    // and the values of one: a few times the file, and room to work.
    const std::uint64_t budget = std::min<std::uint64_t>(PictureProbe::AvailableMemory() / 2,
                                                         (std::uint64_t(1) << 30) + 8 * std::uint64_t(size));
    return ChildDecode::Run([&] { return DecodeHere(data, size); }, L"无法读取 DICOM 文件", budget);
}

DecodedPicture DicomDecoder::DecodeHere(const std::uint8_t* data, std::size_t size)
{
    // GDCM prints its complaints unless told not to; ours reach the user.
    static const bool quiet = [] {
        gdcm::Trace::WarningOff();
        gdcm::Trace::ErrorOff();
        gdcm::Trace::DebugOff();
        return true;
    }();
    (void)quiet;
    // GDCM reports some broken files by throwing.
    try {
        return decode(data, size);
    } catch (const std::bad_alloc&) {
        return DecodedPicture::Failed(L"内存不足，无法读取 DICOM 文件");
    } catch (...) {
        return DecodedPicture::Failed(L"无法读取 DICOM 文件");
    }
}
