#pragma once

#include "ClassData2DIO.h"
#include "tagStructRGBA.h"

#include <memory>

// Display look-up tables: usMap (65536 x 1) maps a 16-bit value to grey
// 0..255 through the window low..high, ucMap (256 x 1) re-maps 8-bit grey and
// colorMap (65536 x 1) maps a 16-bit value to a colour. Copies share the three
// tables; they live until the last object that refers to them is gone.
class QEVMAPIMA {
public:
    int high = 0;
    int low = 0;
    ClassData2DIOGeneral<int>* usMap = nullptr;
    ClassData2DIOGeneral<int>* ucMap = nullptr;
    ClassData2DIOGeneral<tagStructRGBA>* colorMap = nullptr;

    // All table entries start at zero.
    QEVMAPIMA();
    QEVMAPIMA(const QEVMAPIMA& other);
    QEVMAPIMA& operator=(const QEVMAPIMA& other);
    ~QEVMAPIMA();

    // Stores the window clamped to 0..65535 and rebuilds usMap; does nothing
    // unless low < high.
    void SetRange(int low, int high);
    // usMap[v] = 0 up to low, 255 from high on, a linear ramp between.
    void GetMapUs();
    // ucMap over the window a * 255 .. b * 255 (fractions of full scale).
    void GetMapUc(float a, float b);
    // colorMap = c0 up to low, c1 from high on and a per-channel ramp between
    // (alpha of ramp entries untouched). The window is stored unclamped.
    void SetUsColorRange(int low, int high, tagStructRGBA c0, tagStructRGBA c1);

private:
    struct Tables;
    std::shared_ptr<Tables> tables;
};
