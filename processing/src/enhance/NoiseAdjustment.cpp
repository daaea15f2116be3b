#include "pixorama/workbench/ColourAdjustments.h"

#include <algorithm>

void gAdjustNoise(Plane& plane, float value, std::uint32_t seed)
{
    const int amount = static_cast<int>(value * 100.0f);
    if (amount <= 0 || plane.IsEmpty())
        return;
    // xorshift32: cheap, and the same picture for the same seed.
    std::uint32_t state = seed ? seed : 0x9E3779B9u;
    const std::uint32_t span = std::uint32_t(2 * amount + 1);
    for (int y = 0; y < plane.height; ++y)
        for (unsigned char* p = plane.rows[y]; p < plane.rows[y] + plane.width; ++p) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int noise = int(state % span) - amount;
            *p = static_cast<unsigned char>(std::clamp(int(*p) + noise, 0, 255));
        }
}
