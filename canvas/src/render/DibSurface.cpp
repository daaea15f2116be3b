#include "pixorama/canvo/DibSurface.h"

#include <new>
#include <type_traits>

static_assert(std::is_same_v<plat::Pixel, unsigned>, "canvas pixel pointers are unsigned*");

bool DibSurface::Create(int width, int height)
{
    if (Exists())
        WillChange(true);
    if (Exists() && width == bitmap.width() && height == bitmap.height()) {
        // Same size: keep the pixels (they are about to be overwritten) and
        // spare a fresh allocation; the painter starts afresh.
        rowTable.clear();
        dc.emplace(bitmap);
        return true;
    }
    Release();
    if (width <= 0 || height <= 0)
        return false;
    try {
        bitmap.resize(width, height);
    } catch (const std::bad_alloc&) {
        bitmap.resize(0, 0);
        return false;
    }
    dc.emplace(bitmap);
    return true;
}

void DibSurface::Release()
{
    rowTable.clear();
    rowTable.shrink_to_fit();
    dc.reset();
    bitmap.resize(0, 0);
}

void DibSurface::SwapPixels(std::vector<plat::Pixel>& other)
{
    rowTable.clear();
    bitmap.swapPixels(other);
}

unsigned** DibSurface::CreateRowTable()
{
    WillChange(false);
    rowTable.clear();
    if (!Exists())
        return nullptr;
    rowTable.resize(std::size_t(bitmap.height()));
    for (int r = 0; r < bitmap.height(); ++r)
        rowTable[std::size_t(r)] = bitmap.row(r);
    return rowTable.data();
}

bool DibSurface::ReleaseRowTable()
{
    rowTable.clear();
    rowTable.shrink_to_fit();
    return true;
}
