#pragma once

#include "QEVDATA2DBase.h"

// An int image (labels, accumulators).
class QEVINTDATA2D : public QEVDATA2DBase<int> {
};
