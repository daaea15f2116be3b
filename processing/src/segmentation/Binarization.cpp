#include "pixorama/workbench/Segmentation.h"
#include "pixorama/workbench/WatershedCore.h"

#include "PlaneGrey.h"

#include "pixorama/common/Gaussian.h"
#include "pixorama/common/LocalThreshold.h"
#include "pixorama/common/QEVUCDATA2D.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr int thresholdWindow = 50;

// All three planes become the two-level picture.
void ShowBinary(const ClassData2DIO<unsigned char>& binary, ColourPlanes planes)
{
    for (int y = 0; y < binary.height; ++y)
        for (ClassData2DIO<unsigned char>* plane : {&planes.r, &planes.g, &planes.b})
            std::memcpy(plane->rows[y], binary.rows[y], std::size_t(binary.width));
}

// The grey picture through a 5 x 5 Gaussian of sigma 1, back to bytes.
void GaussSmooth(QEVUCDATA2D& grey)
{
    ClassData2DIO<float> values;
    values.SetDim(grey.width, grey.height);
    for (int y = 0; y < grey.height; ++y)
        for (int x = 0; x < grey.width; ++x)
            values.rows[y][x] = grey.rows[y][x];
    gGauss(&values, 5, 1.0f, 0.0f);
    for (int y = 0; y < grey.height; ++y)
        for (int x = 0; x < grey.width; ++x)
            grey.rows[y][x] = static_cast<unsigned char>(std::clamp(values.rows[y][x], 0.0f, 255.0f));
}

// Opening then closing with 3 x 3 steps: white specks and black pinholes go.
void CleanBinary(QEVUCDATA2D& binary)
{
    const int w = binary.width;
    const int h = binary.height;
    std::vector<unsigned char> scratch(std::size_t(w) * std::size_t(h));
    auto step = [&](void (*filter)(const unsigned char*, unsigned char*, int, int)) {
        filter(binary.data, scratch.data(), w, h);
        std::memcpy(binary.data, scratch.data(), scratch.size());
    };
    step(ErodeStep);
    step(DilateStep);
    step(DilateStep);
    step(ErodeStep);
}

// White pixels with a black 4-neighbour inside the picture.
bool OnOutline(const QEVUCDATA2D& binary, int x, int y)
{
    if (binary.rows[y][x] == 0)
        return false;
    return (x > 0 && binary.rows[y][x - 1] == 0) || (x + 1 < binary.width && binary.rows[y][x + 1] == 0) ||
           (y > 0 && binary.rows[y - 1][x] == 0) || (y + 1 < binary.height && binary.rows[y + 1][x] == 0);
}

} // namespace

int OtsuThreshold(const ClassData2DIO<unsigned char>& grey)
{
    std::uint64_t histogram[256] = {};
    for (int y = 0; y < grey.height; ++y)
        for (int x = 0; x < grey.width; ++x)
            ++histogram[grey.rows[y][x]];
    double total = 0.0, weighted = 0.0;
    for (int v = 0; v < 256; ++v) {
        total += double(histogram[v]);
        weighted += double(v) * double(histogram[v]);
    }
    double below = 0.0, belowWeighted = 0.0, best = -1.0;
    int threshold = 0;
    for (int t = 0; t < 256; ++t) {
        below += double(histogram[t]);
        belowWeighted += double(t) * double(histogram[t]);
        const double above = total - below;
        if (below == 0.0)
            continue;
        if (above == 0.0)
            break;
        const double difference = belowWeighted / below - (weighted - belowWeighted) / above;
        const double between = below * above * difference * difference;
        if (between > best) {
            best = between;
            threshold = t;
        }
    }
    if (best < 0.0) // a single grey value: nothing lies above it
        for (int v = 0; v < 256; ++v)
            if (histogram[v])
                threshold = v;
    return threshold;
}

void GlobalBinarize(ColourPlanes planes)
{
    QEVUCDATA2D grey = GreyOfPlanes(planes);
    const int t = OtsuThreshold(grey);
    for (int y = 0; y < grey.height; ++y)
        for (unsigned char* p = grey.rows[y]; p < grey.rows[y] + grey.width; ++p)
            *p = *p > t ? 255 : 0;
    ShowBinary(grey, planes);
}

void LocalBinarize(ColourPlanes planes)
{
    QEVUCDATA2D grey = GreyOfPlanes(planes);
    grey.Smooth3();
    LAT_Constant(grey, thresholdWindow);
    ShowBinary(grey, planes);
}

void OutlineLocalBinarize(ColourPlanes planes)
{
    QEVUCDATA2D binary = GreyOfPlanes(planes);
    GaussSmooth(binary);
    LAT_Constant(binary, thresholdWindow);
    CleanBinary(binary);
    for (int y = 0; y < binary.height; ++y)
        for (int x = 0; x < binary.width; ++x)
            if (OnOutline(binary, x, y)) {
                planes.r.rows[y][x] = 255;
                planes.g.rows[y][x] = 0;
                planes.b.rows[y][x] = 0;
            }
}
