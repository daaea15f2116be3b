#include "PlaneGrey.h"

#include "ThousandthSums.h"

void GreyOfPlanes(ColourPlanes planes, unsigned char* grey)
{
    const std::size_t w = std::size_t(planes.Width());
    ForEachLoadedRun(planes, [grey, w](const PixelRun& run, int y, int x, int n) {
        ThousandthSums(run, n, {greyWeights}, {grey + std::size_t(y) * w + std::size_t(x)});
    });
}

QEVUCDATA2D GreyOfPlanes(ColourPlanes planes)
{
    QEVUCDATA2D grey;
    if (planes.Empty())
        return grey;
    grey.SetDim(planes.Width(), planes.Height());
    GreyOfPlanes(planes, grey.data);
    return grey;
}
