#include "pixorama/platform/Image.h"

#include "pixorama/platform/AtomicFile.h"
#include "pixorama/platform/Strings.h"

#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QBuffer>

#include <cstring>
#include <vector>

namespace plat {

// Rows are padded to four bytes, as device-independent bitmaps are. Memory
// holds the rows in storage order: bottom row first when bottomUp is set.
struct Image::Impl {
    std::vector<unsigned char> buffer;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int stride = 0;
    bool bottomUp = true;

    unsigned char* topRow()
    {
        if (buffer.empty())
            return nullptr;
        return bottomUp ? buffer.data() + std::size_t(height - 1) * std::size_t(stride) : buffer.data();
    }
    int pitch() const { return bottomUp ? -stride : stride; }
};

namespace {

QImage::Format formatOf(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 8: return QImage::Format_Grayscale8;
    case 24: return QImage::Format_BGR888;
    default: return QImage::Format_RGB32;
    }
}

// Largest picture we agree to allocate: 2^31 bytes.
constexpr long long maxBytes = 1LL << 31;

} // namespace

Image::Image() : impl(std::make_unique<Impl>()) {}

Image::~Image() = default;

bool Image::create(int width, int height, int bitsPerPixel, bool bottomUp)
{
    destroy();
    if (width <= 0 || height <= 0 || (bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32))
        return false;
    const long long stride = (static_cast<long long>(width) * bitsPerPixel / 8 + 3) / 4 * 4;
    if (stride * height > maxBytes)
        return false;
    impl->buffer.assign(std::size_t(stride * height), 0);
    impl->width = width;
    impl->height = height;
    impl->bitsPerPixel = bitsPerPixel;
    impl->stride = int(stride);
    impl->bottomUp = bottomUp;
    return true;
}

void Image::destroy()
{
    *impl = Impl{};
}

bool Image::isNull() const
{
    return impl->buffer.empty();
}

int Image::width() const
{
    return impl->width;
}

int Image::height() const
{
    return impl->height;
}

int Image::bitsPerPixel() const
{
    return impl->bitsPerPixel;
}

unsigned char* Image::bits()
{
    return impl->topRow();
}

int Image::pitch() const
{
    return impl->pitch();
}

bool Image::load(const std::wstring& path)
{
    QImageReader reader(QString::fromStdWString(path));
    reader.setAutoTransform(true);
    QImage picture = reader.read();
    if (picture.isNull())
        return false;
    int bitsPerPixel = 24;
    if (picture.hasAlphaChannel())
        bitsPerPixel = 32;
    else if (picture.isGrayscale() && (picture.depth() == 8 || picture.depth() == 1 || picture.format() == QImage::Format_Grayscale16))
        bitsPerPixel = 8;
    picture = picture.convertToFormat(formatOf(bitsPerPixel));
    if (picture.isNull() || !create(picture.width(), picture.height(), bitsPerPixel, true))
        return false;
    const std::size_t rowBytes = std::size_t(impl->width) * std::size_t(bitsPerPixel / 8);
    unsigned char* row = impl->topRow();
    for (int y = 0; y < impl->height; ++y, row += impl->pitch())
        std::memcpy(row, picture.constScanLine(y), rowBytes);
    return true;
}

QImage Image::toQImage() const
{
    if (impl->buffer.empty())
        return {};
    QImage picture(impl->width, impl->height, formatOf(impl->bitsPerPixel));
    if (picture.isNull())
        return {};
    const std::size_t rowBytes = std::size_t(impl->width) * std::size_t(impl->bitsPerPixel / 8);
    const unsigned char* row = impl->topRow();
    for (int y = 0; y < impl->height; ++y, row += impl->pitch())
        std::memcpy(picture.scanLine(y), row, rowBytes);
    return picture;
}

bool Image::save(const std::wstring& path) const
{
    if (impl->buffer.empty())
        return false;
    const QString name = QString::fromStdWString(path);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const int slash = name.lastIndexOf(QLatin1Char('/'));
    if (dot < 0 || dot < slash)
        return false;
    const QByteArray suffix = name.mid(dot + 1).toLower().toLatin1();
    if (suffix.isEmpty() || !QImageWriter::supportedImageFormats().contains(suffix))
        return false;
    QImage picture = toQImage();
    // Not every encoder takes blue-green-red rows; RGB888 they all do.
    if (picture.format() == QImage::Format_BGR888)
        picture = picture.convertToFormat(QImage::Format_RGB888);
    return saveImage(picture, path, suffix.constData());
}

bool saveImage(const QImage& picture, const std::wstring& path, const char* format)
{
    if (picture.isNull())
        return false;
    // Encoded in memory first: a failed encode never touches the disk, and
    // a failed write leaves an existing file as it was.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(picture))
        return false;
    return writeFileAtomically(toPath(path), bytes.constData(), std::size_t(bytes.size()));
}

} // namespace plat
