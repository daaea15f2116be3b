#include "PlaneGrey.h"

#include "ThousandthSums.h"

QEVUCDATA2D GreyOfPlanes(ColourPlanes planes)
{
    QEVUCDATA2D grey;
    if (planes.Empty())
        return grey;
    grey.SetDim(planes.Width(), planes.Height());
    ForEachLoadedRun(planes, [&grey](const PixelRun& run, int y, int x, int n) {
        ThousandthSums(run, n, {greyWeights}, {grey.rows[y] + x});
    });
    return grey;
}
