#include "CanvasPictureReader.h"

#include "pixorama/canvo/InteractiveImage.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"

#include <QImage>
#include <QImageReader>

#include <cstdint>
#include <filesystem>
#include <new>
#include <vector>

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

// Nothing shown: no surface, no raw images, file type 0.
void leaveEmpty(InteractiveImage& canvas)
{
    canvas.oriRaw.Clear();
    canvas.workingRaw.Clear();
    canvas.fileType = FileNothing;
    canvas.PrepareCanvas(0, 0, true);
    canvas.imageWidth = canvas.imageHeight = 0;
}

bool showFloat(InteractiveImage& canvas, const std::vector<float>& values, int w, int h, bool keepOriginal)
{
    return canvas.ShowFloat({nullptr, values.data(), w, h}, keepOriginal, true);
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

bool showGrey8(InteractiveImage& canvas, const QImage& grey)
{
    std::vector<const unsigned char*> rows(std::size_t(grey.height()));
    for (int y = 0; y < grey.height(); ++y)
        rows[std::size_t(y)] = grey.constScanLine(y);
    return canvas.ShowGray({rows.data(), nullptr, grey.width(), grey.height()}, true);
}

// 32-bit pixels 0xAARRGGBB: the colour bytes are the canvas pixel, alpha dropped.
bool paintColour(InteractiveImage& canvas, const QImage& picture)
{
    const QImage argb = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (argb.isNull())
        return false;
    const int w = argb.width();
    const int h = argb.height();
    canvas.oriRaw.Clear();
    canvas.workingRaw.Clear();
    canvas.fileType = FilePicture8;
    canvas.PrepareCanvas(w, h, true);
    canvas.imageWidth = canvas.canvasSurface.Width();
    canvas.imageHeight = canvas.canvasSurface.Height();
    if (!canvas.canvasSurface.Exists())
        return false;
    for (int y = 0; y < h; ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(argb.constScanLine(y));
        plat::Pixel* out = canvas.canvasSurface.Bitmap().line(y);
        for (int x = 0; x < w; ++x)
            out[x] = in[x] & 0xFFFFFFu;
    }
    return true;
}

bool showGrey16(InteractiveImage& canvas, const QImage& grey16, bool keepOriginal)
{
    const int w = grey16.width();
    const int h = grey16.height();
    std::vector<float> values(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y) {
        const auto* in = reinterpret_cast<const std::uint16_t*>(grey16.constScanLine(y));
        float* out = values.data() + std::size_t(y) * std::size_t(w);
        for (int x = 0; x < w; ++x)
            out[x] = float(in[x]);
    }
    return showFloat(canvas, values, w, h, keepOriginal);
}

// 16-bit and floating-point pictures: grey ones keep their values.
template <typename C>
bool showDeep(InteractiveImage& canvas, const QImage& picture, QImage::Format wide, bool keepOriginal)
{
    const QImage converted = picture.convertToFormat(wide);
    if (converted.isNull())
        return false;
    std::vector<float> values(std::size_t(converted.width()) * std::size_t(converted.height()));
    if (greyValues<C>(converted, values))
        return showFloat(canvas, values, converted.width(), converted.height(), keepOriginal);
    return paintColour(canvas, picture);
}

} // namespace

bool CanvasPictureReader::Show(InteractiveImage& canvas, const QImage& picture, bool keepOriginal)
{
    if (picture.isNull())
        return false;
    const QImage::Format f = picture.format();
    try {
        if (f == QImage::Format_Grayscale16)
            return showGrey16(canvas, picture, keepOriginal);
        if (isDeepFormat(f))
            return showDeep<std::uint16_t>(canvas, picture, QImage::Format_RGBA64, keepOriginal);
        if (isFloatFormat(f))
            return showDeep<float>(canvas, picture, QImage::Format_RGBA32FPx4, keepOriginal);
        // An indexed picture's bytes are its palette indices: shown as grey
        // levels whatever the palette holds.
        if (f == QImage::Format_Indexed8 || f == QImage::Format_Grayscale8)
            return showGrey8(canvas, picture);
        if (f == QImage::Format_Mono || f == QImage::Format_MonoLSB)
            return showGrey8(canvas, picture.convertToFormat(QImage::Format_Grayscale8));
        return paintColour(canvas, picture);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool CanvasPictureReader::Load(InteractiveImage& canvas, const CString& path, bool keepOriginal)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(plat::toPath(path), error)) {
        leaveEmpty(canvas);
        plat::messageBox(L"文件不存在");
        return false;
    }
    // Qt refuses pictures over 256 MB by default; a 16k x 16k 16-bit
    // radiograph is ours to show.
    if (QImageReader::allocationLimit() < 4096)
        QImageReader::setAllocationLimit(4096);
    QImageReader reader(QString::fromStdWString(path));
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        leaveEmpty(canvas);
        plat::messageBox(L"无法读取图像文件");
        return false;
    }
    if (!Show(canvas, picture, keepOriginal)) {
        leaveEmpty(canvas);
        plat::messageBox(L"图像太大，无法显示");
        return false;
    }
    return true;
}
