// The batch form of the multi-scale detail enhancement, offered to the
// sequence conversion: the same layers with steps (4, 4) for the largest
// window, recombined with the live weights; no canvas, no progress.
#include "pixorama/workbench/DetailLayers.h"
#include "pixorama/workbench/QEVDetailWorker.h"
#include "pixorama/workbench/SequenceOps.h"

bool gBatchDetailEnhance(const ClassData2DIO<float>& picture, ClassData2DIO<unsigned char>& out)
{
    if (picture.width <= 0 || picture.height <= 0)
        return false;
    DetailLayers layers;
    layers.Compute(picture, true);
    float weights[4];
    for (int kind = QEVDetailWorker::firstKind; kind <= QEVDetailWorker::lastKind; ++kind)
        weights[kind - QEVDetailWorker::firstKind] = gDetailWorker().Weight(kind);
    layers.Recombine(weights, out);
    return true;
}

namespace {

// The sequence conversion and pixorama-batch find it without knowing this library's layout.
const bool registered = (SetBatchDetailEnhancer(gBatchDetailEnhance), true);

} // namespace
