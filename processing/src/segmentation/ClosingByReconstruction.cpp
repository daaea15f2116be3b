#include "pixorama/workbench/WatershedCore.h"

#include "ByteOps.h"
#include "SegmentationBuffer.h"

#include <cstring>

namespace {

constexpr int reconstructionSteps = 20;

} // namespace

void GenericClosingByReconstruction(unsigned char* picture, int w, int h, int depth)
{
    const char* name = "GenericClosingByReconstruction";
    const std::size_t n = std::size_t(w > 0 ? w : 0) * std::size_t(h > 0 ? h : 0);
    auto ceiling = SegmentationBuffer<unsigned char>(n, name);
    auto original = SegmentationBuffer<unsigned char>(n, name);
    auto scratch = SegmentationBuffer<unsigned char>(n, name);
    if (n == 0)
        return;
    const unsigned char c = static_cast<unsigned char>(depth < 0 ? 0 : (depth > 255 ? 255 : depth));
    std::memcpy(original.data(), picture, n);
    // Held at 255: a wrapped sum would make the brightest ridges the lowest valleys.
    ApplyBytes<ByteAddSaturated>(ceiling.data(), picture, c, n);
    for (int i = 0; i < reconstructionSteps; ++i) {
        DilateStep(picture, scratch.data(), w, h);
        ApplyBytes<ByteMin>(picture, scratch.data(), ceiling.data(), n);
    }
    // The floor is the picture as it came in (the ceiling less depth, unwrapped).
    for (int i = 0; i < reconstructionSteps; ++i) {
        ErodeStep(picture, scratch.data(), w, h);
        ApplyBytes<ByteMax>(picture, scratch.data(), original.data(), n);
    }
}
