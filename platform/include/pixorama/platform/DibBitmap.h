#pragma once

#include "Types.h"

#include <QImage>

#include <cstddef>
#include <vector>

namespace plat {

// A 32-bit device-independent bitmap, stored bottom-up: memory row 0 is the
// bottom line on screen, so window line y lives in memory row
// height - 1 - y. A pixel is blue | green << 8 | red << 16; its top byte
// carries no colour (drawing through a Dc leaves 0xFF there, direct writes
// may leave 0), so compare pixels with & 0xFFFFFF. Rows are contiguous,
// width pixels each, no padding.
class DibBitmap {
public:
    DibBitmap() = default;
    DibBitmap(int width, int height, Pixel fill = 0);

    DibBitmap(const DibBitmap&) = delete;
    DibBitmap& operator=(const DibBitmap&) = delete;

    // Discards the contents and fills every pixel; negative sizes give an
    // empty surface. Pointers taken before a resize are invalid after it.
    void resize(int width, int height, Pixel fill = 0);
    void fill(Pixel value);
    // Exchanges the buffer with other, which holds width() x height()
    // pixels; nothing is copied.
    void swapPixels(std::vector<Pixel>& other);

    int width() const { return w; }
    int height() const { return h; }
    bool isEmpty() const { return pixels.empty(); }

    // The whole buffer, memory row 0 (the bottom line) first.
    Pixel* bits() { return pixels.data(); }
    const Pixel* bits() const { return pixels.data(); }
    std::size_t byteCount() const { return pixels.size() * sizeof(Pixel); }

    // Memory row r, 0 <= r < height().
    Pixel* row(int r) { return pixels.data() + std::size_t(r) * std::size_t(w); }
    const Pixel* row(int r) const { return pixels.data() + std::size_t(r) * std::size_t(w); }
    // Window line y (0 at the top), 0 <= y < height().
    Pixel* line(int y) { return row(h - 1 - y); }
    const Pixel* line(int y) const { return row(h - 1 - y); }

    // The pixel at window point (x, y); 0 outside the surface.
    Pixel pixelAt(int x, int y) const;

    // A Qt view of the buffer in memory order (upside down on screen);
    // valid until the next resize.
    QImage& memoryImage() { return view; }
    const QImage& memoryImage() const { return view; }
    // A top-down copy, as the surface looks on screen.
    QImage toImage() const;

private:
    std::vector<Pixel> pixels;
    int w = 0;
    int h = 0;
    QImage view;
};

} // namespace plat
