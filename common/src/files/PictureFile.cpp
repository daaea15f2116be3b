#include "pixorama/common/PictureFile.h"

#include <cstdint>
#include <cstdlib>

bool gSaveUcData(ClassData2DIO<unsigned char>* grey, const CString& path)
{
    if (!grey || grey->width <= 0 || grey->height <= 0)
        return false;
    CImage picture;
    if (!picture.create(grey->width, grey->height, 24, true))
        return false;
    unsigned char** rows = Create2DList(&picture);
    if (!rows)
        return false;
    for (int y = 0; y < grey->height; ++y) {
        const unsigned char* in = grey->rows[y];
        unsigned char* out = rows[y];
        for (int x = 0; x < grey->width; ++x, out += 3)
            out[0] = out[1] = out[2] = in[x];
    }
    Release2DList(rows);
    return picture.save(path);
}

unsigned char** Create2DList(CImage* image)
{
    if (!image || image->isNull())
        return nullptr;
    const int h = image->height();
    auto** list = static_cast<unsigned char**>(std::malloc(sizeof(unsigned char*) * std::size_t(h)));
    if (!list)
        return nullptr;
    unsigned char* top = image->bits();
    const std::ptrdiff_t pitch = image->pitch();
    for (int y = 0; y < h; ++y)
        list[y] = top + std::ptrdiff_t(y) * pitch;
    return list;
}

void Release2DList(unsigned char** list)
{
    std::free(list);
}

void GetImageParament(CImage* image, IMAGEPARAMENT* p)
{
    if (!image || !p || image->isNull())
        return;
    const int bits = image->bitsPerPixel();
    p->width = image->width();
    p->height = image->height();
    p->bitsPerPixel = bits;
    p->bytesPerRow = int((std::int64_t(bits) * p->width + 31) / 32 * 4);
    p->bytesPerPixel = bits / 8;
    p->paletteEntries = bits <= 8 ? 1 << bits : 0;
    p->imageSize = int(std::int64_t(p->bytesPerRow) * p->height);
}
