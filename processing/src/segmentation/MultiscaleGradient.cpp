#include "pixorama/workbench/WatershedCore.h"

#include "ByteOps.h"
#include "SegmentationBuffer.h"

#include <cstring>
#include <utility>

std::vector<unsigned char> MultiscaleGradient(const unsigned char* picture, int w, int h, int scales)
{
    const char* name = "MultiscaleGradient";
    const std::size_t n = std::size_t(w > 0 ? w : 0) * std::size_t(h > 0 ? h : 0);
    auto dilated = SegmentationBuffer<unsigned char>(n, name);
    auto eroded = SegmentationBuffer<unsigned char>(n, name);
    auto sum = SegmentationBuffer<unsigned char>(n, name);
    auto gradient = SegmentationBuffer<unsigned char>(n, name);
    auto scratch = SegmentationBuffer<unsigned char>(n, name);
    if (n == 0)
        return sum;
    std::memcpy(dilated.data(), picture, n);
    std::memcpy(eroded.data(), picture, n);
    for (int i = 0; i < scales; ++i) {
        DilateStep(dilated.data(), scratch.data(), w, h);
        std::swap(dilated, scratch);
        ErodeStep(eroded.data(), scratch.data(), w, h);
        std::swap(eroded, scratch);
        // The dilation is never below the erosion, so the difference cannot wrap.
        ApplyBytes<ByteSubSaturated>(gradient.data(), dilated.data(), eroded.data(), n);
        for (int k = 0; k < i; ++k) {
            ErodeStep(gradient.data(), scratch.data(), w, h);
            std::swap(gradient, scratch);
        }
        ApplyBytes<ByteAddSaturated>(sum.data(), sum.data(), gradient.data(), n);
    }
    return sum;
}
