#pragma once

#include "pixorama/platform/Dc.h"
#include "pixorama/platform/DibBitmap.h"

#include <functional>
#include <optional>
#include <vector>

class ViewState;

// A memory painter over a 32-bit bottom-up bitmap: memory row 0 is the
// bottom line on screen, so window line y lives in memory row height - 1 - y.
// Pixels are blue | green << 8 | red << 16. Every accessor that lets the
// pixels be written first tells willChange, if set.
class DibSurface {
public:
    DibSurface() = default;
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    // Gives the surface that size with a painter of default attributes: a
    // fresh bitmap (contents zero), or the same pixels when the size does not
    // change. False, and no surface, when the size is empty or cannot be
    // allocated. Either way the old pixels are as good as replaced.
    bool Create(int width, int height);
    void Release();

    bool Exists() const { return dc.has_value(); }
    // Null while there is no surface.
    plat::Dc* Dc()
    {
        WillChange(false);
        return dc ? &*dc : nullptr;
    }
    plat::DibBitmap& Bitmap()
    {
        WillChange(false);
        return bitmap;
    }
    const plat::DibBitmap& Bitmap() const { return bitmap; }
    unsigned* Pixels()
    {
        WillChange(false);
        return Exists() ? bitmap.bits() : nullptr;
    }
    // Exchanges the pixels with other, of Width() x Height() pixels, unannounced.
    void SwapPixels(std::vector<plat::Pixel>& other);
    // Tells willChange; replaced when the whole surface is to be written
    // without being read.
    void WillChange(bool replaced)
    {
        if (willChange)
            willChange(replaced);
    }
    int Width() const { return bitmap.width(); }
    int Height() const { return bitmap.height(); }

    // A table of Height() row pointers, row r at Pixels() + r * Width();
    // replaces any earlier table. Null without a surface.
    unsigned** CreateRowTable();
    // True also when there was none.
    bool ReleaseRowTable();

    // The canvas's stretch mode (COLORONCOLOR or HALFTONE) and view state.
    int stretchMode = plat::COLORONCOLOR;
    // Nearest pixels alias when the view shrinks the picture: COLORONCOLOR
    // then draws smooth (averaged) too, unless this is off. Enlarged
    // pictures keep their pixel edges.
    bool smoothWhenShrunk = true;
    ViewState* view = nullptr;
    std::function<void(bool replaced)> willChange;

private:
    plat::DibBitmap bitmap;
    std::optional<plat::Dc> dc;
    std::vector<unsigned*> rowTable;
};
