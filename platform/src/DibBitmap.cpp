#include "pixorama/platform/DibBitmap.h"

#include <algorithm>

namespace plat {

DibBitmap::DibBitmap(int width, int height, Pixel fill)
{
    resize(width, height, fill);
}

void DibBitmap::resize(int width, int height, Pixel fill)
{
    view = QImage();
    if (width <= 0 || height <= 0) {
        pixels.clear();
        pixels.shrink_to_fit();
        w = h = 0;
        return;
    }
    pixels.assign(std::size_t(width) * std::size_t(height), fill);
    w = width;
    h = height;
    view = QImage(reinterpret_cast<uchar*>(pixels.data()), w, h, qsizetype(w) * 4, QImage::Format_RGB32);
}

void DibBitmap::swapPixels(std::vector<Pixel>& other)
{
    pixels.swap(other);
    view = QImage(reinterpret_cast<uchar*>(pixels.data()), w, h, qsizetype(w) * 4, QImage::Format_RGB32);
}

void DibBitmap::fill(Pixel value)
{
    std::fill(pixels.begin(), pixels.end(), value);
}

Pixel DibBitmap::pixelAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= w || y >= h)
        return 0;
    return line(y)[x];
}

QImage DibBitmap::toImage() const
{
    if (pixels.empty())
        return {};
    return view.mirrored(false, true);
}

} // namespace plat
