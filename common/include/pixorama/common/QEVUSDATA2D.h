#pragma once

#include "QEVDATA2DBase.h"

// A 16-bit grey image.
class QEVUSDATA2D : public QEVDATA2DBase<unsigned short> {
public:
    // The float image's smoothing on a float copy; results are truncated.
    void Smooth3() override;
    void Smooth5() override;
};
