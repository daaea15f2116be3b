#include "pixorama/common/MatrixMul.h"

#include "SimdFloat.h"

namespace {

// row += f * other, over n elements.
PIX_HOT_KERNEL
void addScaled(float* row, const float* other, float f, int n)
{
    for (int j = 0; j < n; ++j)
        row[j] += f * other[j];
}

} // namespace

bool MatrixMul(ClassData2DIO<float>& a, ClassData2DIO<float>& b, ClassData2DIO<float>& c)
{
    if (a.data == nullptr || b.data == nullptr || a.width <= 0 || a.height <= 0 || b.width <= 0 || b.height <= 0)
        return false;
    if (b.height != a.width)
        return false;
    // Each c[i][j] still sums over k in order; walking k outside j keeps the
    // inner loop on contiguous rows.
    ClassData2DIO<float> product;
    product.SetDim(b.width, a.height);
    for (int i = 0; i < a.height; ++i) {
        float* out = product.rows[i];
        const float* ai = a.rows[i];
        for (int k = 0; k < a.width; ++k)
            addScaled(out, b.rows[k], ai[k], b.width);
    }
    c = product;
    return true;
}
