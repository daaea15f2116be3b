#include "pixorama/common/QEVComplex.h"
#include "pixorama/common/QEVFLOATDATA2D.h"
#include "pixorama/common/QEVINTDATA2D.h"
#include "pixorama/common/QEVUCDATA2D.h"
#include "pixorama/common/QEVUSDATA2D.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// Pixel (x, y) = x + 10 y.
template <typename Image>
void fillRamp(Image& img, int w, int h)
{
    img.SetDim(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.rows[y][x] = decltype(+img.rows[0][0])(x + 10 * y);
}

template <typename Image>
auto pixels(const Image& img)
{
    using T = std::remove_reference_t<decltype(img.rows[0][0])>;
    std::vector<std::remove_const_t<T>> out;
    for (int y = 0; y < img.height; ++y)
        out.insert(out.end(), img.rows[y], img.rows[y] + img.width);
    return out;
}

QEVFLOATDATA2D floats(int w, int h, std::vector<float> v)
{
    QEVFLOATDATA2D img;
    img.SetDim(w, h);
    std::copy(v.begin(), v.end(), img.data);
    return img;
}

} // namespace

TEST(QevImageFamily, ConstructorsSetTypeCodesAndDefaults)
{
    QEVUCDATA2D uc;
    QEVUSDATA2D us;
    QEVFLOATDATA2D fl;
    QEVINTDATA2D in;
    EXPECT_EQ(uc.typeCode, 2);
    EXPECT_EQ(us.typeCode, 3);
    EXPECT_EQ(fl.typeCode, 4);
    EXPECT_EQ(in.typeCode, 6);
    EXPECT_EQ(uc.GetFullScaleSquare(), 65025.0);
    EXPECT_EQ(us.GetFullScaleSquare(), 4294836225.0);
    EXPECT_EQ(fl.GetFullScaleSquare(), 0.0);
    EXPECT_EQ(fl.epsilon, 1e-7);
    EXPECT_TRUE(fl.ownsBuffers && fl.ownsData && fl.ownsRows);
    EXPECT_EQ(fl.auxA, 1);
    EXPECT_EQ(fl.origWidth, 0);
    EXPECT_EQ(fl.tagC, 0u);
    EXPECT_EQ(fl.width, 0);
    EXPECT_EQ(fl.data, nullptr);
}

TEST(QevImageFamily, LiveCountsFollowEveryConstructorAndDestructor)
{
    const int floatsBefore = QEVFLOATDATA2D::LiveCount();
    const int bytesBefore = QEVUCDATA2D::LiveCount();
    {
        QEVFLOATDATA2D a;
        QEVFLOATDATA2D b(a);
        QEVComplex c;
        EXPECT_EQ(QEVFLOATDATA2D::LiveCount(), floatsBefore + 4);
        EXPECT_EQ(QEVUCDATA2D::LiveCount(), bytesBefore);
        auto* heap = new QEVUCDATA2D;
        heap->SetDim(3, 3);
        EXPECT_EQ(QEVUCDATA2D::LiveCount(), bytesBefore + 1);
        heap->Release();
        EXPECT_EQ(QEVUCDATA2D::LiveCount(), bytesBefore);
        QEVDATA2DBase<float>* base = new QEVFLOATDATA2D;
        delete base;
        EXPECT_EQ(QEVFLOATDATA2D::LiveCount(), floatsBefore + 4);
    }
    EXPECT_EQ(QEVFLOATDATA2D::LiveCount(), floatsBefore);
}

TEST(QevImageFamily, CopiesCarryFieldsAssignmentCarriesTheOriginalSize)
{
    QEVFLOATDATA2D src;
    fillRamp(src, 3, 2);
    src.origWidth = 5;
    src.origHeight = 7;
    src.tagC = 42;
    src.epsilon = 0.5;

    QEVFLOATDATA2D copy(src);
    EXPECT_EQ(copy.origWidth, 5);
    EXPECT_EQ(copy.origHeight, 7);
    EXPECT_EQ(copy.tagC, 42u);
    EXPECT_EQ(copy.epsilon, 0.5);
    EXPECT_EQ(copy.typeCode, 4);
    EXPECT_EQ(pixels(copy), (std::vector<float>{0, 1, 2, 10, 11, 12}));
    src.rows[0][0] = -1;
    EXPECT_EQ(copy.rows[0][0], 0.0f);

    QEVFLOATDATA2D assigned;
    fillRamp(assigned, 5, 5);
    assigned = src;
    EXPECT_EQ(assigned.width, 3);
    EXPECT_EQ(assigned.height, 2);
    EXPECT_EQ(assigned.origWidth, 5);
    EXPECT_EQ(assigned.origHeight, 7);
    EXPECT_EQ(assigned.roi.right, 2);
    EXPECT_EQ(assigned.rows[0][0], -1.0f);

    QEVFLOATDATA2D empty;
    assigned = empty;
    EXPECT_EQ(assigned.width, 0);
    EXPECT_EQ(assigned.height, 0);
}

TEST(QevImageFamily, ClearLeavesAnEmptyImage)
{
    QEVUSDATA2D img;
    fillRamp(img, 4, 2);
    img.Clear();
    EXPECT_EQ(img.width, 0);
    EXPECT_EQ(img.height, 0);
    EXPECT_EQ(img.data, nullptr);
    EXPECT_EQ(img.rows, nullptr);
    EXPECT_EQ(img.GetMax(), 0);
    img.SetDim(2, 2);
    EXPECT_EQ(img.roi.right, 1);
}

TEST(QevImageFamily, WrappedBuffersSurviveTheWrapper)
{
    std::vector<int> pixels{1, 2, 3, 4};
    int* table[2] = {pixels.data(), pixels.data() + 2};
    {
        QEVINTDATA2D view;
        view.data = pixels.data();
        view.rows = table;
        view.width = view.height = 2;
        view.ownsData = view.ownsRows = false;
        EXPECT_EQ(view.GetMax(), 4);
        view.MirrorLR();
        view.Clear();
        EXPECT_EQ(view.data, nullptr);
    }
    {
        QEVINTDATA2D view;
        view.data = pixels.data();
        view.rows = table;
        view.width = view.height = 2;
        view.ownsBuffers = false;
        view.ownsData = view.ownsRows = false;
    }
    EXPECT_EQ(pixels, (std::vector<int>{2, 1, 4, 3}));
    EXPECT_EQ(table[1], pixels.data() + 2);
}

TEST(QevImageStats, MinMaxAndLabelledRegions)
{
    QEVFLOATDATA2D img = floats(3, 2, {5, -2, 7, 3, 9, -4});
    EXPECT_EQ(img.GetMin(), -4.0f);
    EXPECT_EQ(img.GetMax(), 9.0f);

    ClassData2DIO<int> labels;
    labels.SetDim(3, 2);
    const int keys[] = {1, 1, 2, 2, 1, 3};
    std::copy(keys, keys + 6, labels.data);
    EXPECT_EQ(img.GetLabelMin(labels.rows, 1), -2.0f);
    EXPECT_EQ(img.GetLabelMax(labels.rows, 1), 9.0f);
    EXPECT_DOUBLE_EQ(img.GetLabelMean(labels.rows, 1), 4.0);
    EXPECT_DOUBLE_EQ(img.GetLabelMean(labels, 2), 5.0);
    // Max starts from 0, so an all-negative region reports 0.
    EXPECT_EQ(img.GetLabelMax(labels, 3), 0.0f);
    EXPECT_EQ(img.GetLabelMin(labels, 3), -4.0f);
    // A label nobody has.
    EXPECT_EQ(img.GetLabelMin(labels, 9), 100000.0f);
    EXPECT_EQ(img.GetLabelMax(labels, 9), 0.0f);
    EXPECT_EQ(img.GetLabelMean(labels, 9), 1e-7);

    ClassData2DIO<int> wrongSize;
    wrongSize.SetDim(2, 2);
    EXPECT_EQ(img.GetLabelMean(wrongSize, 0), 1e-7);
    EXPECT_EQ(img.GetLabelMin(wrongSize, 0), 100000.0f);
    EXPECT_EQ(img.GetLabelMin(nullptr, 1), 100000.0f);

    QEVUCDATA2D bytes;
    fillRamp(bytes, 3, 3);
    EXPECT_EQ(bytes.GetMin(), 0);
    EXPECT_EQ(bytes.GetMax(), 22);
}

TEST(QevImageEdits, NegativeUsesFullScaleOrTheMaximum)
{
    QEVUCDATA2D img;
    img.SetDim(3, 1);
    img.data[0] = 0;
    img.data[1] = 100;
    img.data[2] = 255;
    img.Negative();
    EXPECT_EQ(pixels(img), (std::vector<unsigned char>{255, 155, 0}));

    img.data[2] = 200;
    img.typeCode = 4;
    img.Negative();
    EXPECT_EQ(pixels(img), (std::vector<unsigned char>{0, 100, 55}));
}

TEST(QevImageEdits, MirrorsAndTranspose)
{
    QEVUCDATA2D img;
    fillRamp(img, 3, 2);
    img.MirrorLR();
    EXPECT_EQ(pixels(img), (std::vector<unsigned char>{2, 1, 0, 12, 11, 10}));
    img.MirrorTB();
    EXPECT_EQ(pixels(img), (std::vector<unsigned char>{12, 11, 10, 2, 1, 0}));
    EXPECT_EQ(img.rows[1], img.data + 3);

    QEVFLOATDATA2D f;
    fillRamp(f, 3, 2);
    f.Transpose();
    ASSERT_EQ(f.width, 2);
    ASSERT_EQ(f.height, 3);
    EXPECT_EQ(pixels(f), (std::vector<float>{0, 10, 1, 11, 2, 12}));
    EXPECT_EQ(f.roi.right, 1);
    EXPECT_EQ(f.roi.bottom, 2);
}

TEST(QevImageEdits, CropInsideAndMirroredOutside)
{
    QEVFLOATDATA2D f;
    fillRamp(f, 4, 3);
    QEVRECT inside(1, 2, 1, 2);
    f.Crop(inside);
    EXPECT_EQ(inside.width, 2);
    EXPECT_EQ(inside.height, 2);
    EXPECT_EQ(pixels(f), (std::vector<float>{11, 12, 21, 22}));

    // Reaching one column left and one row up: float reflects (column 1, row 1).
    fillRamp(f, 4, 3);
    QEVRECT outside;
    outside.left = -1;
    outside.right = 0;
    outside.top = -1;
    outside.bottom = 0;
    f.Crop(outside);
    EXPECT_EQ(outside.width, 2);
    EXPECT_EQ(pixels(f), (std::vector<float>{11, 10, 1, 0}));

    // 8-bit repeats the edge (column 0, row 0); past the right edge 4 -> 3.
    QEVUCDATA2D uc;
    fillRamp(uc, 4, 3);
    QEVRECT r(-1, 4, 0, 0);
    uc.Crop(r);
    EXPECT_EQ(pixels(uc), (std::vector<unsigned char>{0, 0, 1, 2, 3, 3}));

    QEVUSDATA2D us;
    fillRamp(us, 4, 3);
    QEVRECT r16(3, 4, 2, 3);
    us.Crop(r16);
    EXPECT_EQ(pixels(us), (std::vector<unsigned short>{23, 22, 13, 12}));

    QEVRECT inverted(3, 1, 0, 0);
    us.Crop(inverted);
    EXPECT_EQ(us.width, 2);
    EXPECT_EQ(pixels(us), (std::vector<unsigned short>{23, 22, 13, 12}));
}

TEST(QevImageEdits, HalfAndDoubleSize)
{
    QEVUCDATA2D img;
    fillRamp(img, 5, 4);
    QEVUCDATA2D half;
    img.HalfSize(half);
    ASSERT_EQ(half.width, 2);
    ASSERT_EQ(half.height, 2);
    EXPECT_EQ(pixels(half), (std::vector<unsigned char>{11, 13, 31, 33}));

    img.HalfSize(img);
    EXPECT_EQ(pixels(img), (std::vector<unsigned char>{11, 13, 31, 33}));

    QEVUCDATA2D twice;
    fillRamp(twice, 9, 9);
    QEVUCDATA2D small;
    fillRamp(small, 2, 1);
    small.rows[0][0] = 7;
    small.rows[0][1] = 8;
    small.DoubleSize(twice);
    ASSERT_EQ(twice.width, 4);
    ASSERT_EQ(twice.height, 2);
    EXPECT_EQ(pixels(twice), (std::vector<unsigned char>{0, 0, 0, 0, 0, 7, 0, 8}));

    QEVUCDATA2D empty;
    empty.DoubleSize(twice);
    EXPECT_EQ(twice.width, 0);
}

TEST(QevFloatMath, InPlaceFunctionsAndOperators)
{
    QEVFLOATDATA2D img = floats(2, 2, {0, 1, 4, 9});
    img.SqrtInPlace();
    EXPECT_EQ(pixels(img), (std::vector<float>{0, 1, 2, 3}));
    img.LogInPlace();
    EXPECT_FLOAT_EQ(img.data[1], std::log(2.0f));
    EXPECT_EQ(img.data[0], 0.0f);

    const QEVFLOATDATA2D a = floats(2, 1, {6, 8});
    const QEVFLOATDATA2D b = floats(3, 1, {2, 4, 100});
    EXPECT_EQ(pixels(a + b), (std::vector<float>{8, 12}));
    EXPECT_EQ(pixels(a - b), (std::vector<float>{4, 4}));
    EXPECT_EQ(pixels(a * b), (std::vector<float>{12, 32}));
    EXPECT_EQ(pixels(a / b), (std::vector<float>{3, 2}));
    EXPECT_EQ(pixels(a * 0.5f), (std::vector<float>{3, 4}));
    EXPECT_EQ(pixels(2.0f * a), (std::vector<float>{12, 16}));
    const QEVFLOATDATA2D sum = a + b;
    EXPECT_EQ(sum.width, 2);
    EXPECT_EQ(sum.height, 1);

    // The right operand must be at least as large.
    const QEVFLOATDATA2D tooSmall = b + a;
    EXPECT_EQ(tooSmall.width, 0);
    QEVFLOATDATA2D c = b;
    c += a;
    EXPECT_EQ(pixels(c), (std::vector<float>{2, 4, 100}));

    c = floats(2, 1, {1, -1});
    c /= floats(2, 1, {0, 0});
    EXPECT_TRUE(std::isinf(c.data[0]) && c.data[0] > 0);
    EXPECT_TRUE(std::isinf(c.data[1]) && c.data[1] < 0);
    c = a;
    c *= b;
    EXPECT_EQ(pixels(c), (std::vector<float>{12, 32}));
}

TEST(QevComplexImage, MagnitudesAndArithmetic)
{
    QEVComplex z;
    EXPECT_EQ(z.real.typeCode, 4);
    z.SetDim(2, 1);
    z.real.data[0] = 3;
    z.imag.data[0] = 4;
    z.real.data[1] = 1;
    z.imag.data[1] = -1;
    EXPECT_FLOAT_EQ(z.GetMag(0, 0), 5.0f);
    EXPECT_FLOAT_EQ(z.GetMagSquare(1, 0), 2.0f);

    QEVComplex copy(z);
    z *= 2.0f;
    EXPECT_EQ(pixels(z.imag), (std::vector<float>{8, -2}));
    EXPECT_EQ(pixels(copy.imag), (std::vector<float>{4, -1}));

    z += copy;
    EXPECT_EQ(pixels(z.real), (std::vector<float>{9, 3}));
    z /= floats(2, 1, {3, 0.5f});
    EXPECT_EQ(pixels(z.real), (std::vector<float>{3, 6}));
    EXPECT_EQ(pixels(z.imag), (std::vector<float>{4, -6}));

    copy = z;
    z.real.data[0] = 0;
    EXPECT_EQ(copy.real.data[0], 3.0f);
}
