#include "PictureDecoder.h"

#include "DicomDecoder.h"
#include "PictureProbe.h"
#include "TiffDecoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <cmath>
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

DecodedPicture grey(int w, int h, std::vector<float> values)
{
    DecodedPicture out;
    out.kind = DecodedPicture::Kind::Grey;
    out.width = w;
    out.height = h;
    out.values = std::move(values);
    if (const std::size_t bad = PictureProbe::ReplaceNonFinite(out.values))
        out.warnings.push_back(PictureProbe::NonFiniteWarning(bad));
    return out;
}

DecodedPicture picture8(const QImage& picture)
{
    DecodedPicture out;
    out.kind = DecodedPicture::Kind::Picture;
    out.width = picture.width();
    out.height = picture.height();
    out.picture = picture;
    return out;
}

DecodedPicture grey16(const QImage& picture)
{
    const int w = picture.width();
    const int h = picture.height();
    std::vector<float> values(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y) {
        const auto* in = reinterpret_cast<const std::uint16_t*>(picture.constScanLine(y));
        float* out = values.data() + std::size_t(y) * std::size_t(w);
        for (int x = 0; x < w; ++x)
            out[x] = float(in[x]);
    }
    return grey(w, h, std::move(values));
}

// 16-bit and floating-point pictures: grey ones keep their values.
template <typename C>
DecodedPicture deep(const QImage& picture, QImage::Format wide)
{
    const QImage converted = picture.convertToFormat(wide);
    if (converted.isNull())
        return DecodedPicture::Refused(L"无法读取图像文件");
    std::vector<float> values(std::size_t(converted.width()) * std::size_t(converted.height()));
    if (greyValues<C>(converted, values))
        return grey(converted.width(), converted.height(), std::move(values));
    return picture8(picture);
}

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
        const std::wstring refusal = PictureProbe::CheckSize(stated.width(), stated.height(), 8.0 + PictureProbe::canvasBytesPerPixel);
        if (!refusal.empty())
            return DecodedPicture::Refused(refusal);
        const double megabytes = double(stated.width()) * double(stated.height()) * 8.0 / double(1 << 20);
        QImageReader::setAllocationLimit(std::max(256, int(std::ceil(megabytes)) + 1));
    } else {
        QImageReader::setAllocationLimit(256);
    }
    const QImage picture = reader.read();
    if (picture.isNull())
        return DecodedPicture::Refused(L"无法读取图像文件");
    DecodedPicture out = PictureDecoder::FromQImage(picture);
    if (out.Ok() && !PictureProbe::LooksComplete(format, data, size))
        out.warnings.push_back(L"图像文件不完整：缺少的部分显示为灰色或黑色");
    return out;
}

} // namespace

DecodedPicture PictureDecoder::FromQImage(const QImage& picture)
{
    const QImage::Format f = picture.format();
    if (f == QImage::Format_Grayscale16)
        return grey16(picture);
    if (isDeepFormat(f))
        return deep<std::uint16_t>(picture, QImage::Format_RGBA64);
    if (isFloatFormat(f))
        return deep<float>(picture, QImage::Format_RGBA32FPx4);
    if (f == QImage::Format_Mono || f == QImage::Format_MonoLSB)
        return picture8(picture.convertToFormat(QImage::Format_Grayscale8));
    return picture8(picture);
}

DecodedPicture PictureDecoder::Decode(const std::uint8_t* data, std::size_t size, const std::wstring& extension,
                                      int page)
{
    try {
        const PictureProbe::Format format = PictureProbe::Sniff(data, size);
        if (format == PictureProbe::Format::Tiff)
            return TiffDecoder::Decode(data, size, page);
        if (format == PictureProbe::Format::Dicom || extension == L"dcm" || extension == L"dicom")
            return DicomDecoder::Decode(data, size);
        return decodeWithQt(data, size, format);
    } catch (const std::bad_alloc&) {
        return DecodedPicture::Refused(L"内存不足，无法读取图像文件");
    }
}
