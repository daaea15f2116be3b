#include "NearestStretch.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

int sourceIndex(long long k, long long srcStart, long long srcLen, long long dstLen, int limit)
{
    const long long s = srcStart + (2 * k + 1) * srcLen / (2 * dstLen);
    return int(std::clamp<long long>(s, 0, limit - 1));
}

} // namespace

void nearestStretch(plat::DibBitmap& dst, const plat::Rect& dstRect, const plat::DibBitmap& src,
                    const plat::Rect& srcRect)
{
    if (dstRect.isEmpty() || srcRect.isEmpty() || src.isEmpty() || dst.isEmpty())
        return;
    const plat::Rect area{std::max(dstRect.left, 0), std::max(dstRect.top, 0), std::min(dstRect.right, dst.width()),
                          std::min(dstRect.bottom, dst.height())};
    if (area.isEmpty())
        return;
    const int n = area.width();
    std::vector<int> columns(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        columns[std::size_t(i)] =
            sourceIndex(area.left + i - dstRect.left, srcRect.left, srcRect.width(), dstRect.width(), src.width());
    // At scale 1 a row is one contiguous run of the source.
    const bool contiguous = columns.back() - columns.front() == n - 1;
    const std::size_t rowBytes = std::size_t(n) * sizeof(plat::Pixel);
    int previousSource = -1;
    const plat::Pixel* previousOut = nullptr;
    for (int y = area.top; y < area.bottom; ++y) {
        const int sy =
            sourceIndex(y - dstRect.top, srcRect.top, srcRect.height(), dstRect.height(), src.height());
        plat::Pixel* out = dst.line(y) + area.left;
        if (sy == previousSource) {
            // Zoomed in: this line repeats the one above.
            std::memcpy(out, previousOut, rowBytes);
        } else {
            const plat::Pixel* in = src.line(sy);
            if (contiguous) {
                std::memcpy(out, in + columns.front(), rowBytes);
            } else {
                const int* c = columns.data();
                for (int i = 0; i < n; ++i)
                    out[i] = in[c[i]];
            }
        }
        previousSource = sy;
        previousOut = out;
    }
}
