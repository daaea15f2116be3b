#include "pixorama/common/ImageConcat.h"

#include "pixorama/platform/Modal.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

bool usable(const ClassData2DIO<float>* img)
{
    return img != nullptr && img->data != nullptr && img->width > 0 && img->height > 0;
}

void sideBySide(ClassData2DIO<float>& left, const ClassData2DIO<float>& right)
{
    const int lw = left.width;
    const int rw = right.width;
    ClassData2DIO<float> out;
    out.SetDim(lw + rw, left.height);
    for (int y = 0; y < left.height; ++y) {
        std::memcpy(out.rows[y], left.rows[y], std::size_t(lw) * sizeof(float));
        std::memcpy(out.rows[y] + lw, right.rows[y], std::size_t(rw) * sizeof(float));
    }
    left = out;
}

} // namespace

bool gImaConcate(ClassData2DIO<float>* left, ClassData2DIO<float>* right, int overlap, int cut, bool matchGain)
{
    if (!usable(left) || !usable(right) || left == right || left->height != right->height)
        return false;
    if (overlap == 0) {
        sideBySide(*left, *right);
        return true;
    }
    const long long n = (long long)overlap - 2LL * cut;
    if (n <= 1) {
        plat::messageBox(L"水平重合参数需要大于二倍的中间切边参数加一");
        return false;
    }
    if (cut < 0 || overlap < 0 || overlap > left->width || overlap > right->width)
        return false;

    const int lw = left->width;
    const int width = lw + right->width - overlap;
    const int seam = int(n);
    const int e = lw - cut;
    const int s = e - seam;
    std::vector<float> ramp(static_cast<std::size_t>(seam));
    for (int i = 0; i < seam; ++i)
        ramp[std::size_t(i)] = float(i) / float(seam - 1);

    ClassData2DIO<float> out;
    out.SetDim(width, left->height);
    for (int y = 0; y < left->height; ++y) {
        const float* l = left->rows[y];
        const float* r = right->rows[y];
        const int shift = cut - s; // output column x takes right column x + shift
        float* o = out.rows[y];
        float u = 1.0f;
        if (matchGain) {
            const float mL = left->RowMean(y, s, e - 1);
            const float mR = right->RowMean(y, cut, cut + seam - 1);
            if (std::fabs(mR) >= 10.0f)
                u = mL / mR;
        }
        std::memcpy(o, l, std::size_t(s) * sizeof(float));
        for (int x = s; x < e; ++x) {
            const float a = ramp[std::size_t(x - s)];
            o[x] = r[x + shift] * a * u + l[x] * (1.0f - a);
        }
        for (int x = e; x < width; ++x)
            o[x] = u * r[x + shift];
    }
    *left = out;
    return true;
}
