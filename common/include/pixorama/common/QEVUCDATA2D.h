#pragma once

#include "QEVDATA2DBase.h"

// An 8-bit grey image.
class QEVUCDATA2D : public QEVDATA2DBase<unsigned char> {
public:
    // v = M - v with M = 255 for 8- and 16-bit type codes, else the image maximum.
    void Negative();
    // The float image's smoothing on a float copy; results are clamped to
    // 0..255 and truncated.
    void Smooth3() override;
    void Smooth5() override;
};
