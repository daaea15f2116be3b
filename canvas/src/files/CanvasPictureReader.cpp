#include "CanvasPictureReader.h"

#include "DicomDecoder.h"
#include "PictureProbe.h"
#include "TiffDecoder.h"

#include "pixorama/common/OSCString.h"
#include "pixorama/platform/Strings.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <new>

namespace {

bool isFloatFormat(QImage::Format f)
{
    return f == QImage::Format_RGBX16FPx4 || f == QImage::Format_RGBA16FPx4
           || f == QImage::Format_RGBA16FPx4_Premultiplied || f == QImage::Format_RGBX32FPx4
           || f == QImage::Format_RGBA32FPx4 || f == QImage::Format_RGBA32FPx4_Premultiplied;
}

bool isDeepFormat(QImage::Format f)
{
    return f == QImage::Format_RGBX64 || f == QImage::Format_RGBA64 || f == QImage::Format_RGBA64_Premultiplied;
}

DecodedPicture sized(const QImage& picture)
{
    DecodedPicture p;
    p.width = picture.width();
    p.height = picture.height();
    return p;
}

// The channels of a grey pixel are equal; as soon as one pixel differs the
// picture is colour and values is incomplete.
template <typename C>
bool greyValues(const QImage& picture, std::vector<float>& values)
{
    const int w = picture.width();
    for (int y = 0; y < picture.height(); ++y) {
        const auto* in = reinterpret_cast<const C*>(picture.constScanLine(y));
        float* out = values.data() + std::size_t(y) * std::size_t(w);
        for (int x = 0; x < w; ++x, in += 4) {
            if (in[0] != in[1] || in[0] != in[2])
                return false;
            out[x] = float(in[0]);
        }
    }
    return true;
}

DecodedPicture grey8(const QImage& grey)
{
    DecodedPicture p = sized(grey);
    p.grey.resize(p.PixelCount());
    for (int y = 0; y < p.height; ++y)
        std::memcpy(p.grey.data() + std::size_t(y) * std::size_t(p.width), grey.constScanLine(y), std::size_t(p.width));
    return p;
}

// 32-bit pixels 0xAARRGGBB: the colour bytes are kept, alpha dropped.
DecodedPicture colour(const QImage& picture)
{
    const QImage argb = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (argb.isNull())
        return {};
    DecodedPicture p = sized(argb);
    p.colour.resize(p.PixelCount());
    for (int y = 0; y < p.height; ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(argb.constScanLine(y));
        std::uint32_t* out = p.colour.data() + std::size_t(y) * std::size_t(p.width);
        for (int x = 0; x < p.width; ++x)
            out[x] = in[x] & 0xFFFFFFu;
    }
    return p;
}

DecodedPicture grey16(const QImage& picture)
{
    DecodedPicture p = sized(picture);
    p.values.resize(p.PixelCount());
    for (int y = 0; y < p.height; ++y) {
        const auto* in = reinterpret_cast<const std::uint16_t*>(picture.constScanLine(y));
        float* out = p.values.data() + std::size_t(y) * std::size_t(p.width);
        for (int x = 0; x < p.width; ++x)
            out[x] = float(in[x]);
    }
    return p;
}

// 16-bit and floating-point pictures: grey ones keep their values.
template <typename C>
DecodedPicture deep(const QImage& picture, QImage::Format wide)
{
    const QImage converted = picture.convertToFormat(wide);
    if (converted.isNull())
        return {};
    DecodedPicture p = sized(converted);
    p.values.resize(p.PixelCount());
    if (greyValues<C>(converted, p.values))
        return p;
    return colour(picture);
}

DecodedPicture decode(const QImage& picture)
{
    const QImage::Format f = picture.format();
    if (f == QImage::Format_Grayscale16)
        return grey16(picture);
    if (isDeepFormat(f))
        return deep<std::uint16_t>(picture, QImage::Format_RGBA64);
    if (isFloatFormat(f))
        return deep<float>(picture, QImage::Format_RGBA32FPx4);
    // An indexed picture's bytes are its palette indices: grey levels
    // whatever the palette holds.
    if (f == QImage::Format_Indexed8 || f == QImage::Format_Grayscale8)
        return grey8(picture);
    if (f == QImage::Format_Mono || f == QImage::Format_MonoLSB)
        return grey8(picture.convertToFormat(QImage::Format_Grayscale8));
    return colour(picture);
}

bool isFile(const CString& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(plat::toPath(path), error);
}

// "name.tif#3" names page 3 of name.tif when no file has the whole name.
struct PagePath {
    CString path;
    int page = 0;
};

PagePath splitPage(const CString& path)
{
    const std::size_t hash = path.rfind(L'#');
    if (isFile(path) || hash == CString::npos || hash + 1 == path.size())
        return {path, 0};
    const CString digits = path.substr(hash + 1);
    if (digits.size() > 6 || !std::all_of(digits.begin(), digits.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        return {path, 0};
    return {path.substr(0, hash), std::max(0, std::stoi(digits) - 1)};
}

// The file's bytes, mapped rather than read; empty when it cannot be.
class MappedFile {
public:
    explicit MappedFile(const CString& path) : file(QString::fromStdWString(path))
    {
        if (file.open(QIODevice::ReadOnly) && file.size() > 0)
            bytes = file.map(0, file.size());
    }
    const std::uint8_t* Data() const { return bytes; }
    std::size_t Size() const { return bytes ? std::size_t(file.size()) : 0; }

private:
    QFile file;
    const std::uint8_t* bytes = nullptr;
};

// Qt's own readers, with the stated size checked before decoding.
DecodedPicture decodeWithQt(const std::uint8_t* data, std::size_t size, PictureProbe::Format format)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QSize stated = reader.size();
    if (stated.isValid()) {
        // Qt may hold 8 bytes a pixel (16-bit RGBA) while it converts.
        CString refusal = PictureProbe::CheckSize(stated.width(), stated.height(), 8.0 + PictureProbe::canvasBytesPerPixel);
        // A JPEG gives at most 256 pixels a byte; other formats at most a
        // 1-bit pixel per deflate's best ratio.
        const double pixels = double(stated.width()) * double(stated.height());
        if (refusal.empty())
            refusal = format == PictureProbe::Format::Jpeg
                          ? PictureProbe::CheckPayload(stated.width(), stated.height(), pixels, size,
                                                       PictureProbe::jpegPixelsPerByte)
                          : PictureProbe::CheckPayload(stated.width(), stated.height(), pixels / 8, size,
                                                       PictureProbe::deflateRatio);
        if (!refusal.empty())
            return DecodedPicture::Failed(refusal);
        const double megabytes = double(stated.width()) * double(stated.height()) * 8.0 / double(1 << 20);
        QImageReader::setAllocationLimit(std::max(256, int(std::ceil(megabytes)) + 1));
    } else {
        QImageReader::setAllocationLimit(256);
    }
    const QImage picture = reader.read();
    if (picture.isNull())
        return DecodedPicture::Failed(L"无法读取图像文件");
    DecodedPicture decoded = decode(picture);
    if (!decoded.Decoded())
        return DecodedPicture::Failed(L"图像太大，无法显示");
    if (const std::size_t bad = PictureProbe::ReplaceNonFinite(decoded.values))
        decoded.warnings.push_back(PictureProbe::NonFiniteWarning(bad));
    if (!PictureProbe::LooksComplete(format, data, size))
        decoded.warnings.push_back(L"图像文件不完整：缺少的部分显示为灰色或黑色");
    return decoded;
}

} // namespace

DecodedPicture CanvasPictureReader::Decode(const QImage& picture)
{
    if (picture.isNull())
        return {};
    try {
        return decode(picture);
    } catch (const std::bad_alloc&) {
        return {};
    }
}

DecodedPicture CanvasPictureReader::Decode(const CString& named)
{
    const PagePath source = splitPage(named);
    if (!isFile(source.path))
        return DecodedPicture::Failed(L"文件不存在");
    const MappedFile file(source.path);
    if (file.Size() == 0)
        return DecodedPicture::Failed(L"无法读取图像文件");
    return Decode(file.Data(), file.Size(), OSCString::GetExt(source.path), source.page);
}

DecodedPicture CanvasPictureReader::Decode(const std::uint8_t* data, std::size_t size, const CString& extension,
                                           int page)
{
    try {
        const PictureProbe::Format format = PictureProbe::Sniff(data, size);
        if (format == PictureProbe::Format::Tiff)
            return TiffDecoder::Decode(data, size, page);
        // The name decides only what the content does not: a DICOM data
        // set written without its preamble.
        const bool dicomName = extension == L"dcm" || extension == L"dicom";
        if (format == PictureProbe::Format::Dicom || (format == PictureProbe::Format::Unknown && dicomName))
            return DicomDecoder::Decode(data, size);
        return decodeWithQt(data, size, format);
    } catch (const std::bad_alloc&) {
        return DecodedPicture::Failed(L"内存不足，无法读取图像文件");
    }
}

bool CanvasPictureReader::Claims(const CString& named)
{
    const PagePath source = splitPage(named);
    if (!isFile(source.path))
        return false;
    const CString extension = OSCString::GetExt(source.path);
    if (extension == L"dcm" || extension == L"dicom")
        return true;
    const MappedFile file(source.path);
    if (PictureProbe::Sniff(file.Data(), file.Size()) != PictureProbe::Format::Unknown)
        return true;
    return !QImageReader::imageFormat(QString::fromStdWString(source.path)).isEmpty();
}

bool CanvasPictureReader::IsScientificPicture(const CString& path)
{
    if (!isFile(path))
        return false;
    const MappedFile file(path);
    const PictureProbe::Format format = PictureProbe::Sniff(file.Data(), file.Size());
    return format == PictureProbe::Format::Tiff || format == PictureProbe::Format::Dicom;
}
