#include "PlaneGrey.h"

#include "RowBands.h"

#include "pixorama/common/BitmapFile.h"

#include <cstring>

namespace {

// Rows [begin, end) of a plane as an image that owns nothing.
void BandView(ClassData2DIO<unsigned char>& plane, int begin, int end, ClassData2DIO<unsigned char>& view)
{
    view.ownsData = view.ownsRows = false;
    view.rows = plane.rows + begin;
    view.data = plane.rows[begin];
    view.width = plane.width;
    view.height = end - begin;
}

} // namespace

QEVUCDATA2D GreyOfPlanes(ColourPlanes planes)
{
    QEVUCDATA2D grey;
    if (planes.Empty())
        return grey;
    const int w = planes.Width();
    grey.SetDim(w, planes.Height());
    ForRowBands(planes.Height(), std::size_t(w) * std::size_t(planes.Height()), [&](int begin, int end) {
        ClassData2DIO<unsigned char> r, g, b, band;
        BandView(planes.r, begin, end, r);
        BandView(planes.g, begin, end, g);
        BandView(planes.b, begin, end, b);
        if (!QEVColorToGray(&r, &g, &b, &band))
            return;
        for (int y = begin; y < end; ++y)
            std::memcpy(grey.rows[y], band.rows[y - begin], std::size_t(w));
    });
    return grey;
}
