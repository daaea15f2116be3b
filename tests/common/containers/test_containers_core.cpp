#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/common/tagStructRGBA.h"

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <new>
#include <vector>

namespace {

// A w x h image with pixel (x, y) = x + 10 y.
template <typename T>
void fillRamp(ClassData2DIOGeneral<T>& img, int w, int h)
{
    img.SetDim(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.rows[y][x] = T(x + 10 * y);
}

template <typename T>
std::vector<T> row(const ClassData2DIOGeneral<T>& img, int y)
{
    return std::vector<T>(img.rows[y], img.rows[y] + img.width);
}

} // namespace

TEST(ContainerLifecycle, SetDimZeroesAndCoversTheWholeImage)
{
    ClassData2DIO<int> img;
    EXPECT_EQ(img.width, 0);
    EXPECT_EQ(img.data, nullptr);
    EXPECT_TRUE(img.ownsData && img.ownsRows);
    EXPECT_EQ(img.auxA, 1);
    EXPECT_EQ(img.auxB, 1);

    img.SetDim(3, 2);
    ASSERT_EQ(img.width, 3);
    ASSERT_EQ(img.height, 2);
    EXPECT_EQ(img.rows[1], img.data + 3);
    EXPECT_EQ(img.GetRow(1), img.data + 3);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(img.data[i], 0);
    EXPECT_EQ(img.roi.left, 0);
    EXPECT_EQ(img.roi.top, 0);
    EXPECT_EQ(img.roi.right, 2);
    EXPECT_EQ(img.roi.bottom, 1);

    // Buffers are aligned for bulk reads.
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(img.data) % 64, 0u);
}

TEST(ContainerLifecycle, SetDimZeroGivesEmptyBuffersAndInvertedRoi)
{
    ClassData2DIO<float> img;
    img.SetDim(0, 0);
    EXPECT_EQ(img.width, 0);
    EXPECT_EQ(img.height, 0);
    EXPECT_EQ(img.roi.left, 0);
    EXPECT_EQ(img.roi.top, 0);
    EXPECT_EQ(img.roi.right, -1);
    EXPECT_EQ(img.roi.bottom, -1);
}

TEST(ContainerLifecycle, ClearLeavesMinusOneAndNoBuffers)
{
    ClassData2DIO<unsigned short> img;
    img.SetDim(4, 4);
    img.auxA = 7;
    img.Clear();
    EXPECT_EQ(img.width, -1);
    EXPECT_EQ(img.height, -1);
    EXPECT_EQ(img.data, nullptr);
    EXPECT_EQ(img.rows, nullptr);
    EXPECT_EQ(img.roi.right, 0);
    EXPECT_EQ(img.roi.bottom, 0);
    EXPECT_EQ(img.auxA, 1);
}

TEST(ContainerLifecycle, BadSizesThrowBadAllocAndLeaveAUsableEmptyImage)
{
    ClassData2DIO<float> img;
    fillRamp(img, 2, 2);
    EXPECT_THROW(img.SetDim(-1, 5), std::bad_alloc);
    EXPECT_EQ(img.data, nullptr);
    EXPECT_LE(img.width, 0);
    // 70000 x 70000 overflows a 32-bit element count.
    EXPECT_THROW(img.SetDim(70000, 70000), std::bad_alloc);
    EXPECT_EQ(img.data, nullptr);
    EXPECT_THROW(img.SetDim(INT_MAX, 2), std::bad_alloc);

    img.SetDim(2, 3);
    EXPECT_EQ(img.width, 2);
    EXPECT_EQ(img.rows[2][1], 0.0f);
}

TEST(ContainerCopy, AssigningASmallerImageReplacesSizeAndRoi)
{
    ClassData2DIO<int> small;
    fillRamp(small, 3, 2);
    small.roi = {1, 1, 1, 1};
    ClassData2DIO<int> big;
    fillRamp(big, 5, 5);

    big = small;
    ASSERT_EQ(big.width, 3);
    ASSERT_EQ(big.height, 2);
    EXPECT_EQ(big.roi.left, 0);
    EXPECT_EQ(big.roi.top, 0);
    EXPECT_EQ(big.roi.right, 2);
    EXPECT_EQ(big.roi.bottom, 1);
    EXPECT_EQ(row(big, 1), (std::vector<int>{10, 11, 12}));

    // Deep copy: the source changes alone.
    small.rows[0][0] = 99;
    EXPECT_EQ(big.rows[0][0], 0);

    ClassData2DIO<int> copy(big);
    big.rows[1][2] = -4;
    EXPECT_EQ(copy.rows[1][2], 12);
    EXPECT_EQ(copy.roi.right, 2);
}

TEST(ContainerCopy, CopiesOfEmptyImagesAreZeroByZero)
{
    ClassData2DIO<float> cleared;
    cleared.SetDim(2, 2);
    cleared.Clear();
    ClassData2DIO<float> target;
    fillRamp(target, 3, 3);
    target = cleared;
    EXPECT_EQ(target.width, 0);
    EXPECT_EQ(target.height, 0);

    ClassData2DIO<float> flat;
    flat.SetDim(0, 5);
    ClassData2DIO<float> fromFlat(flat);
    EXPECT_EQ(fromFlat.width, 0);
    EXPECT_EQ(fromFlat.height, 0);

    ClassData2DIO<float> self;
    fillRamp(self, 2, 2);
    auto& alias = self;
    self = alias;
    EXPECT_EQ(self.rows[1][1], 11.0f);
}

TEST(ContainerWrapping, ForeignBuffersAreNeverFreedOrOverwritten)
{
    std::vector<float> pixels{1, 2, 3, 4, 5, 6};
    float* table[2] = {pixels.data(), pixels.data() + 3};
    {
        ClassData2DIO<float> view;
        view.data = pixels.data();
        view.rows = table;
        view.width = 3;
        view.height = 2;
        view.ownsData = view.ownsRows = false;
        EXPECT_EQ(view.rows[1][2], 6.0f);

        ClassData2DIO<float> copy(view);
        pixels[0] = 100.0f;
        EXPECT_EQ(copy.rows[0][0], 1.0f);

        view.Clear();
        EXPECT_EQ(view.width, -1);
        // A wrapper given to SetDim owns its fresh buffers from then on.
        view.SetDim(2, 2);
        EXPECT_TRUE(view.ownsData);
        EXPECT_NE(view.data, pixels.data());
    }
    EXPECT_EQ(pixels, (std::vector<float>{100, 2, 3, 4, 5, 6}));
    EXPECT_EQ(table[1], pixels.data() + 3);
}

TEST(ContainerMirror, FloatReflectsWithoutRepeatingTheEdge)
{
    ClassData2DIO<float> img;
    fillRamp(img, 4, 3);
    // x, y outside the picture and the value read there
    const int cases[][3] = {{-1, 0, 1}, {4, 0, 2}, {-5, 0, 1}, {9, 0, 1}, {2, -1, 12}, {2, 3, 12}, {3, 2, 23}};
    for (const auto& c : cases)
        EXPECT_EQ(img.GetMirrored({c[0], c[1]}), float(c[2])) << c[0] << ", " << c[1];
}

TEST(ContainerMirror, UnsignedCharRepeatsTheEdge)
{
    ClassData2DIO<unsigned char> img;
    fillRamp(img, 4, 3);
    const int cases[][3] = {{-1, 0, 0}, {4, 0, 3}, {-5, 0, 3}, {9, 0, 1}, {2, -1, 2}, {2, 3, 22}};
    for (const auto& c : cases)
        EXPECT_EQ(img.GetMirrored({c[0], c[1]}), c[2]) << c[0] << ", " << c[1];
}

TEST(ContainerMirror, ExtremeCoordinatesAndEmptyImagesStayInside)
{
    ClassData2DIO<float> img;
    fillRamp(img, 1, 1);
    EXPECT_EQ(img.GetMirrored({INT_MIN, INT_MAX}), 0.0f);
    ClassData2DIO<unsigned char> wide;
    fillRamp(wide, 5, 2);
    const unsigned char v = wide.GetMirrored({INT_MIN, INT_MIN});
    EXPECT_LT(v, 15);
    ClassData2DIO<float> empty;
    EXPECT_EQ(empty.GetMirrored({0, 0}), 0.0f);
}

TEST(ContainerShift, FillModeUsesTheRegionOfInterestAndFillBits)
{
    ClassData2DIO<float> img;
    fillRamp(img, 4, 3);
    img.Shift(1, 0, 0, 0);
    EXPECT_EQ(row(img, 0), (std::vector<float>{0, 0, 1, 2}));
    EXPECT_EQ(row(img, 2), (std::vector<float>{0, 20, 21, 22}));

    fillRamp(img, 4, 3);
    img.roi = {1, 0, 2, 1};
    const int one = std::bit_cast<int>(1.0f);
    img.Shift(-1, 1, 0, one);
    EXPECT_EQ(row(img, 0), (std::vector<float>{1, 1, 1, 1}));
    EXPECT_EQ(row(img, 1), (std::vector<float>{1, 2, 1, 1}));
    EXPECT_EQ(row(img, 2), (std::vector<float>{11, 12, 1, 1}));

    ClassData2DIO<int> ints;
    fillRamp(ints, 3, 1);
    ints.Shift(5, 0, 0, -7);
    EXPECT_EQ(row(ints, 0), (std::vector<int>{-7, -7, -7}));
}

TEST(ContainerShift, MirrorModeReflectsAndUnknownModesChangeNothing)
{
    ClassData2DIO<int> img;
    fillRamp(img, 4, 3);
    img.Shift(2, -1, 1, 0);
    EXPECT_EQ(row(img, 0), (std::vector<int>{12, 11, 10, 11}));
    EXPECT_EQ(row(img, 1), (std::vector<int>{22, 21, 20, 21}));
    EXPECT_EQ(row(img, 2), (std::vector<int>{12, 11, 10, 11}));

    fillRamp(img, 4, 3);
    img.Shift(1, 1, 3, 0);
    EXPECT_EQ(row(img, 1), (std::vector<int>{10, 11, 12, 13}));

    ClassData2DIO<tagStructRGBA> colour;
    colour.SetDim(2, 1);
    colour.rows[0][0].red = 9;
    colour.Shift(1, 0, 1, 0);
    EXPECT_EQ(colour.rows[0][0].red, 0);
    EXPECT_EQ(colour.rows[0][1].red, 9);
}

TEST(ContainerRowStats, RowMeanClipsAndNormalizeSumSkipsZeroKernels)
{
    ClassData2DIO<float> img;
    fillRamp(img, 4, 2);
    EXPECT_FLOAT_EQ(img.RowMean(1, 1, 2), 11.5f);
    EXPECT_FLOAT_EQ(img.RowMean(0, 0, 3), 1.5f);
    EXPECT_FLOAT_EQ(img.RowMean(0, -5, 10), 1.5f);
    EXPECT_EQ(img.RowMean(2, 0, 3), 0.0f);
    EXPECT_EQ(img.RowMean(0, 3, 1), 0.0f);

    ClassData2DIO<float> kernel;
    kernel.SetDim(2, 2);
    kernel.NormalizeSum();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(kernel.data[i], 0.0f);
    kernel.data[0] = 1e-12f;
    kernel.NormalizeSum();
    EXPECT_EQ(kernel.data[0], 1e-12f);
    kernel.data[0] = 1;
    kernel.data[1] = 2;
    kernel.data[2] = 3;
    kernel.data[3] = 4;
    kernel.NormalizeSum();
    EXPECT_FLOAT_EQ(kernel.data[0], 0.1f);
    EXPECT_FLOAT_EQ(kernel.data[3], 0.4f);
}

TEST(ContainerConvert, OffsetsAndIntegerTruncation)
{
    ClassData2DIO<short> s;
    s.SetDim(3, 1);
    s.data[0] = -32768;
    s.data[1] = 0;
    s.data[2] = 32767;
    StructData2D<unsigned short> us;
    ConvertWithOffset(us, s, 32768.0f);
    EXPECT_EQ(us.width, 3);
    EXPECT_EQ(us.data[0], 0);
    EXPECT_EQ(us.data[1], 32768);
    EXPECT_EQ(us.data[2], 65535);
    pixAlignedFree(us.data);
    pixAlignedFree(us.rows);

    ClassData2DIO<float> f;
    f.SetDim(6, 1);
    f.data[0] = 70000.5f;
    f.data[1] = -1.5f;
    f.data[2] = 2.9f;
    f.data[3] = NAN;
    f.data[4] = 1e30f;
    f.data[5] = -1e30f;
    ClassData2DIO<unsigned short> out;
    out.Clear();
    ConvertWithOffset(out, f, 0.0f);
    EXPECT_EQ(out.data[0], 70000 - 65536);
    EXPECT_EQ(out.data[1], 65535);
    EXPECT_EQ(out.data[2], 2);
    EXPECT_EQ(out.rows[0], out.data);

    ClassData2DIO<float> shifted;
    shifted.Clear();
    ConvertWithOffset(shifted, f, 0.5f);
    EXPECT_FLOAT_EQ(shifted.data[2], 3.4f);

    ClassData2DIO<unsigned char> bytes;
    fillRamp(bytes, 2, 2);
    ClassData2DIO<unsigned short> widened;
    widened.Clear();
    ConvertWithOffset(widened, bytes, 0.0f);
    EXPECT_EQ(widened.rows[1][1], 11);
}
