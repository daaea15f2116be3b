#include "pixorama/workbench/PictureShow.h"

#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"

#include <QImage>
#include <QImageReader>

#include <cstdint>
#include <filesystem>
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

void showFloat(int id, std::vector<float>& values, int w, int h)
{
    gCVSShowRawFloat(id, values.data(), w, h, true, true);
}

void showGrey16(int id, const QImage& grey16)
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
    showFloat(id, values, w, h);
}

void showGrey8(int id, const QImage& grey8)
{
    const int w = grey8.width();
    const int h = grey8.height();
    std::vector<unsigned char> values(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y)
        std::copy_n(grey8.constScanLine(y), w, values.data() + std::size_t(y) * std::size_t(w));
    gCVSShowUCGray(id, values.data(), w, h, true);
}

void showColour(int id, const QImage& picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    const int w = rgb.width();
    const int h = rgb.height();
    const std::size_t n = std::size_t(w) * std::size_t(h);
    std::vector<unsigned char> r(n), g(n), b(n);
    for (int y = 0; y < h; ++y) {
        const unsigned char* in = rgb.constScanLine(y);
        const std::size_t o = std::size_t(y) * std::size_t(w);
        for (int x = 0; x < w; ++x, in += 3) {
            r[o + std::size_t(x)] = in[0];
            g[o + std::size_t(x)] = in[1];
            b[o + std::size_t(x)] = in[2];
        }
    }
    gCVSShowUCColor(id, r.data(), g.data(), b.data(), w, h, true);
}

// Floating-point pictures: grey when every pixel has equal channels.
void showFloatPicture(int id, const QImage& picture)
{
    const QImage fp = picture.convertToFormat(QImage::Format_RGBA32FPx4);
    const int w = fp.width();
    const int h = fp.height();
    std::vector<float> values(std::size_t(w) * std::size_t(h));
    bool grey = true;
    for (int y = 0; y < h && grey; ++y) {
        const auto* in = reinterpret_cast<const float*>(fp.constScanLine(y));
        float* out = values.data() + std::size_t(y) * std::size_t(w);
        for (int x = 0; x < w; ++x, in += 4) {
            if (in[0] != in[1] || in[0] != in[2]) {
                grey = false;
                break;
            }
            out[x] = in[0];
        }
    }
    if (grey)
        showFloat(id, values, w, h);
    else
        showColour(id, picture);
}

} // namespace

bool PictureShow::showImage(int id, const QImage& image)
{
    if (image.isNull())
        return false;
    const QImage::Format f = image.format();
    if (f == QImage::Format_Grayscale16)
        showGrey16(id, image);
    else if (f == QImage::Format_Grayscale8)
        showGrey8(id, image);
    else if (isFloatFormat(f))
        showFloatPicture(id, image);
    else if (isDeepFormat(f) && image.allGray())
        showGrey16(id, image.convertToFormat(QImage::Format_Grayscale16));
    else if (image.allGray())
        showGrey8(id, image.convertToFormat(QImage::Format_Grayscale8));
    else
        showColour(id, image);
    return true;
}

bool PictureShow::showFile(int id, const std::wstring& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(plat::toPath(path), error)) {
        plat::messageBox(L"文件不存在");
        return false;
    }
    // Qt refuses pictures over 256 MB by default; a 16k x 16k float image is ours to show.
    QImageReader::setAllocationLimit(4096);
    QImageReader reader(QString::fromStdWString(path));
    const QImage image = reader.read();
    if (image.isNull()) {
        plat::messageBox(L"无法读取图像文件");
        return false;
    }
    return showImage(id, image);
}
