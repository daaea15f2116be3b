#include "pixorama/workbench/Segmentation.h"
#include "pixorama/workbench/WatershedCore.h"

#include "ByteOps.h"

#include "pixorama/common/QEVUCDATA2D.h"

#include <cstring>

namespace {

constexpr int gradientScales = 3;
constexpr int closingDepth = 20;

// The picture through the 3 x 3 smoothing of the 8-bit image class.
QEVUCDATA2D Smoothed(const unsigned char* picture, int w, int h)
{
    QEVUCDATA2D smooth;
    smooth.SetDim(w, h);
    std::memcpy(smooth.data, picture, std::size_t(w) * std::size_t(h));
    smooth.Smooth3();
    return smooth;
}

QEVUCDATA2D Smoothed(const ClassData2DIO<unsigned char>& plane)
{
    QEVUCDATA2D smooth;
    smooth.SetDim(plane.width, plane.height);
    for (int y = 0; y < plane.height; ++y)
        std::memcpy(smooth.rows[y], plane.rows[y], std::size_t(plane.width));
    smooth.Smooth3();
    return smooth;
}

} // namespace

std::vector<int> SimpleWatershed(const unsigned char* picture, int w, int h)
{
    if (w <= 0 || h <= 0)
        return {};
    QEVUCDATA2D smooth = Smoothed(picture, w, h);
    std::vector<unsigned char> gradient = MultiscaleGradient(smooth.data, w, h, gradientScales);
    GenericClosingByReconstruction(gradient.data(), w, h, closingDepth);
    return GenericWatershed(gradient.data(), w, h);
}

std::vector<int> ColourWatershed(ColourPlanes planes)
{
    const int w = planes.Width();
    const int h = planes.Height();
    if (planes.Empty())
        return {};
    std::vector<unsigned char> gradient;
    for (ClassData2DIO<unsigned char>* plane : {&planes.r, &planes.g, &planes.b}) {
        QEVUCDATA2D smooth = Smoothed(*plane);
        std::vector<unsigned char> g = MultiscaleGradient(smooth.data, w, h, gradientScales);
        if (gradient.empty())
            gradient = std::move(g);
        else
            ApplyBytes<ByteMax>(gradient.data(), gradient.data(), g.data(), gradient.size());
    }
    GenericClosingByReconstruction(gradient.data(), w, h, closingDepth);
    return GenericWatershed(gradient.data(), w, h);
}

std::vector<unsigned char> LabelLowBytes(const std::vector<int>& labels)
{
    std::vector<unsigned char> bytes(labels.size());
    for (std::size_t i = 0; i < labels.size(); ++i)
        bytes[i] = labels[i] < 0 ? 0 : static_cast<unsigned char>(labels[i] & 0xFF);
    return bytes;
}
