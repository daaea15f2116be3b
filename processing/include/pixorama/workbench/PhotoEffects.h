#pragma once

#include "pixorama/workbench/ColourPlanes.h"

#include <cstdint>

// The photo effects of "图像艺术处理", each changing three planes of one size
// in place. Planes are in canvas memory order, as the working state keeps
// them: row r is picture row height - 1 - r. Values are 8-bit channel values;
// integer arithmetic truncates toward zero.

// "祛痘": small dark spots (up to five pixels across) whose brightness
// (R + 2 G + B) / 4 lies more than 10 levels below their surroundings take,
// channel by channel, the value of a 5 x 5 closing; everything else stays.
void EffectBlemishRemoval(ColourPlanes planes);
// "强力祛痘": every plane on its own becomes its 5 x 5 closing, which fills
// every dark spot and line narrower than five pixels.
void EffectStrongBlemishRemoval(ColourPlanes planes);
// "白平衡": grey world. Each channel whose mean is at least 1 is scaled by the
// mean of the three means over its own; then all values are stretched so the
// largest becomes 255. A picture with nothing above 0 stays as it is.
void EffectWhiteBalance(ColourPlanes planes);
// "晕影": the luminance falls off towards the corners (sigmoid of the distance
// from the centre); chrominance is kept.
void EffectVignette(ColourPlanes planes);
// "交叉冲印": red and green through S-curves, blue halved and lifted by 37.
void EffectCrossProcess(ColourPlanes planes);
// "老照片": the sepia matrix.
void EffectSepia(ColourPlanes planes);
// "柔光": each plane screened with its own Gaussian blur (9 x 9, sigma 1.5).
void EffectSoftLight(ColourPlanes planes);
// "暗图像调整": dark parts lifted, weighted by the darkness of green.
void EffectDarkLift(ColourPlanes planes);
// "钢笔画": black strokes on white paper where the luminance changes: its 3 x 3
// morphological gradient less 8 (grain), tripled, the same in all three planes.
void EffectPenDrawing(ColourPlanes planes);
// "底片": v becomes 255 - v.
void EffectNegative(ColourPlanes planes);
// "冰冻": the cold, icy channel mix, each step using the new values before it.
void EffectFreeze(ColourPlanes planes);
// "风格化": a relief, each plane on its own: 128 plus the pixel below-right on
// the picture less the pixel above-left (edges repeated), held to 0..255.
void EffectStylise(ColourPlanes planes);
// "毛玻璃": every pixel takes the pixel at a random offset of -4..4 in x and y
// (mirrored at the edges), from a fast generator started at seed.
void EffectFrostedGlass(ColourPlanes planes, std::uint64_t seed);
// "灰度化": all three planes become QEVColorToGray of the planes.
void EffectGrey(ColourPlanes planes);
// "颜色矩阵": rows 0..2 of m map (R, G, B, alpha 0, 255) to R', G', B' in
// floats, truncated and held to 0..255; rows 3 and 4 are not used.
void EffectColourMatrix(ColourPlanes planes, const float (&m)[5][5]);
