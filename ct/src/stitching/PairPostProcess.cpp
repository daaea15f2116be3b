#include "PairPostProcess.h"

#include <algorithm>
#include <cstring>

namespace pairpost {

void CropColumns(QEVFLOATDATA2D& image, int leftCut, int rightCut)
{
    if ((leftCut <= 0 && rightCut <= 0) || image.IsEmpty())
        return;
    const int left = std::max(0, leftCut);
    const int right = image.width - std::max(0, rightCut) - 1;
    if (right < left)
        return;
    // Rows move towards the start of the buffer, so each lands on bytes
    // already read.
    const int w = right - left + 1;
    for (int y = 0; y < image.height; ++y) {
        float* to = image.data + std::size_t(y) * std::size_t(w);
        std::memmove(to, image.rows[y] + left, std::size_t(w) * sizeof(float));
        image.rows[y] = to;
    }
    image.width = w;
    image.roi = {0, 0, w - 1, image.height - 1};
}

void Bin2x2(QEVFLOATDATA2D& image)
{
    const int w = image.width / 2;
    const int h = image.height / 2;
    QEVFLOATDATA2D out;
    out.SetDim(w, h);
    for (int y = 0; y < h; ++y) {
        const float* a = image.rows[2 * y];
        const float* b = image.rows[2 * y + 1];
        float* o = out.rows[y];
        for (int x = 0; x < w; ++x) {
            const float p = a[2 * x], q = a[2 * x + 1], r = b[2 * x], s = b[2 * x + 1];
            const float lo = std::min(std::min(p, q), std::min(r, s));
            const float hi = std::max(std::max(p, q), std::max(r, s));
            o[x] = (p + q + r + s - lo - hi) / 2.0f;
        }
    }
    image = out;
}

void SmoothRows(QEVFLOATDATA2D& image)
{
    for (int y = 0; y < image.height; ++y) {
        float* v = image.rows[y];
        for (int x = 1; x + 1 < image.width; ++x)
            v[x] = 0.25f * (v[x - 1] + v[x + 1]) + 0.5f * v[x];
    }
}

void CopyOut(const QEVFLOATDATA2D& from, QEVFLOATDATA2D& to)
{
    if (to.width != from.width || to.height != from.height || !to.ownsData || !to.ownsRows || to.data == nullptr) {
        to = from;
        return;
    }
    for (int y = 0; y < from.height; ++y)
        std::memcpy(to.rows[y], from.rows[y], std::size_t(from.width) * sizeof(float));
    to.origWidth = from.origWidth;
    to.origHeight = from.origHeight;
}

} // namespace pairpost
