#pragma once

#include <memory>
#include <string>

class QImage;

// The platform picture: a bitmap with a pitch, decoded from and encoded to
// any format Qt's image plugins handle (chosen by the file extension).
namespace plat {

class Image {
public:
    Image();
    ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // bitsPerPixel 8 (grey), 24 (blue, green, red) or 32 (blue, green, red, x).
    // Rows are stored bottom-up when bottomUp is set: the pitch is then negative.
    bool create(int width, int height, int bitsPerPixel, bool bottomUp = true);
    void destroy();
    bool isNull() const;

    int width() const;
    int height() const;
    int bitsPerPixel() const;
    // Address of the top row of the picture.
    unsigned char* bits();
    // Bytes from one picture row to the next one below it (negative when bottom-up).
    int pitch() const;

    // Decodes a picture file into a bottom-up image: grey pictures as 8-bit,
    // those with alpha as 32-bit, the rest as 24-bit. False, and the image
    // unchanged, when it cannot be decoded.
    bool load(const std::wstring& path);
    // Encodes by the extension of path; false when no encoder fits or writing fails.
    bool save(const std::wstring& path) const;

    QImage toQImage() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};

// Encodes picture as format ("PNG", "bmp", ...) and writes the file
// atomically; false, with an existing file untouched, on any failure.
bool saveImage(const QImage& picture, const std::wstring& path, const char* format);

} // namespace plat
