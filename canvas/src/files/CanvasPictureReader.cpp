#include "CanvasPictureReader.h"

#include "pixorama/platform/Strings.h"

#include <QImage>
#include <QImageReader>

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

DecodedPicture CanvasPictureReader::Decode(const CString& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(plat::toPath(path), error))
        return DecodedPicture::Failed(L"文件不存在");
    // Qt refuses pictures over 256 MB by default; a 16k x 16k 16-bit
    // radiograph is ours to show.
    if (QImageReader::allocationLimit() < 4096)
        QImageReader::setAllocationLimit(4096);
    QImageReader reader(QString::fromStdWString(path));
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (picture.isNull())
        return DecodedPicture::Failed(L"无法读取图像文件");
    DecodedPicture decoded = Decode(picture);
    if (decoded.width <= 0)
        decoded.message = L"图像太大，无法显示";
    return decoded;
}
