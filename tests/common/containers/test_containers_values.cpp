#include "pixorama/common/PointTemplateBase.h"
#include "pixorama/common/QEVPoint3D.h"
#include "pixorama/common/QEVPoint3Dd.h"
#include "pixorama/common/QEVRECT.h"
#include "pixorama/common/QEVRect3D.h"
#include "pixorama/common/QEVSize.h"
#include "pixorama/common/StructVector2f.h"
#include "pixorama/common/StructVector3f.h"
#include "pixorama/common/tagStructRGBA.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>

TEST(ColourPixel, BytesAreBlueGreenRedAlpha)
{
    tagStructRGBA c;
    c.blue = 1;
    c.green = 2;
    c.red = 3;
    c.alpha = 4;
    unsigned char bytes[4];
    std::memcpy(bytes, &c, 4);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[1], 2);
    EXPECT_EQ(bytes[2], 3);
    EXPECT_EQ(bytes[3], 4);
}

TEST(ColourPixel, HelpersTouchColourBytesOnly)
{
    tagStructRGBA c{10, 20, 30, 99};
    StructRGBAAssign(c, 300);
    EXPECT_EQ(c.blue, 44);
    EXPECT_EQ(c.green, 44);
    EXPECT_EQ(c.red, 44);
    EXPECT_EQ(c.alpha, 99);

    tagStructRGBA src{7, 8, 9, 1};
    StructRGBAAssign(c, src);
    EXPECT_EQ(c.red, 9);
    EXPECT_EQ(c.blue, 7);
    EXPECT_EQ(c.alpha, 99);

    tagStructRGBA m{200, 10, 3, 5};
    float f = 1.5f;
    StructRGBAMul(m, f);
    EXPECT_EQ(m.blue, 300 - 256);
    EXPECT_EQ(m.green, 15);
    EXPECT_EQ(m.red, 4);
    EXPECT_EQ(m.alpha, 5);
    tagStructRGBA neg{200, 0, 1, 5};
    f = -1.0f;
    StructRGBAMul(neg, f);
    EXPECT_EQ(neg.blue, 56); // -200 modulo 256
    EXPECT_EQ(neg.red, 255);
    f = 1e30f; // far out of range: defined, never a crash
    StructRGBAMul(neg, f);
    EXPECT_EQ(neg.green, 0);
    EXPECT_EQ(neg.alpha, 5);

    tagStructRGBA a{200, 100, 0, 9};
    tagStructRGBA b{100, 100, 255, 200};
    StructRGBAAdd(a, b);
    EXPECT_EQ(a.blue, 44);
    EXPECT_EQ(a.green, 200);
    EXPECT_EQ(a.red, 255);
    EXPECT_EQ(a.alpha, 9);
}

TEST(ColourPixel, GreyIsTheTruncatedWeightedSum)
{
    int out = -1;
    ColorToGrayPixel(100, 0, 0, out);
    EXPECT_EQ(out, 29);
    ColorToGrayPixel(0, 100, 0, out);
    EXPECT_EQ(out, 58);
    ColorToGrayPixel(0, 0, 100, out);
    EXPECT_EQ(out, 11);
    ColorToGrayPixel(10, 20, 30, out);
    EXPECT_EQ(out, 18);
    ColorToGrayPixel(INT_MAX, INT_MAX, INT_MAX, out);
    EXPECT_GT(out, 2000000000);
}

TEST(GeometryValues, RectangleTakesTheXPairFirst)
{
    const QEVRECT def;
    EXPECT_EQ(def.left, 0);
    EXPECT_EQ(def.bottom, 0);
    EXPECT_EQ(def.width, 1);
    EXPECT_EQ(def.height, 1);

    QEVRECT r(1, 4, 2, 7);
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.right, 4);
    EXPECT_EQ(r.top, 2);
    EXPECT_EQ(r.bottom, 7);
    EXPECT_EQ(r.width, 4);
    EXPECT_EQ(r.height, 6);
    r.SetValue(-3, -3, 5, 4);
    EXPECT_EQ(r.width, 1);
    EXPECT_EQ(r.height, 0);
    r.SetValue(INT_MIN, INT_MAX, 0, 0); // wraps, never overflows
    EXPECT_EQ(r.width, 0);
}

TEST(GeometryValues, SizesPointsAndBoxes)
{
    QEVSize s(3, 4);
    s += QEVSize(10, 20);
    EXPECT_EQ(s.cx, 13);
    EXPECT_EQ(s.cy, 24);
    s -= QEVSize(3, 30);
    EXPECT_EQ(s.cx, 10);
    EXPECT_EQ(s.cy, -6);
    QEVSize t;
    t = s;
    EXPECT_EQ(t.cy, -6);

    const PointTemplateBase<int> p{3, -4};
    const PointTemplateBase<double> q{};
    EXPECT_EQ(p.y, -4);
    EXPECT_EQ(q.x, 0.0);

    QEVPoint3D a;
    EXPECT_EQ(a.x + a.y + a.z, 0);
    QEVPoint3D b{1, 2, 3};
    a = b;
    EXPECT_EQ(a.z, 3);
    QEVPoint3Dd d;
    EXPECT_EQ(d.z, 0.0);

    const QEVRect3D box;
    EXPECT_GT(box.xMin, box.xMax);
    EXPECT_GT(box.yMin, box.yMax);
    EXPECT_GT(box.zMin, box.zMax);
    EXPECT_EQ(box.xMin, 10000);
    EXPECT_EQ(box.zMax, -10000);
}

TEST(Vector2f, LengthNormalAndArithmetic)
{
    StructVector2f v{3, 4};
    EXPECT_FLOAT_EQ(v.Mag(), 5.0f);
    EXPECT_FLOAT_EQ(v.GetAdd(), 7.0f);
    v.Normal();
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.y, 0.8f);

    StructVector2f w{1, 2};
    w += StructVector2f{1, 1};
    w *= StructVector2f{3, 0.5f};
    EXPECT_FLOAT_EQ(w.x, 6.0f);
    EXPECT_FLOAT_EQ(w.y, 1.5f);
    w -= StructVector2f{1, 1};
    w *= 2.0f;
    w /= 4.0f;
    EXPECT_FLOAT_EQ(w.x, 2.5f);
    EXPECT_FLOAT_EQ(w.y, 0.25f);
    w.Mul(4.0f);
    EXPECT_FLOAT_EQ(w.x, 10.0f);
}

TEST(Vector2f, RotationsUseDegreesOrRadians)
{
    StructVector2f v{1, 0};
    v.Rotate(90.0f);
    EXPECT_NEAR(v.x, 0.0f, 1e-6);
    EXPECT_NEAR(v.y, 1.0f, 1e-6);

    StructVector2f r{1, 0};
    r.RotateDeg(3.1415926f); // radians, despite the name
    EXPECT_NEAR(r.x, -1.0f, 1e-6);
    EXPECT_NEAR(r.y, 0.0f, 1e-6);

    StructVector2f c{2, 1};
    c.RotateDeg(1.5707963f, StructVector2f{1, 1});
    EXPECT_NEAR(c.x, 1.0f, 1e-6);
    EXPECT_NEAR(c.y, 2.0f, 1e-6);
}

TEST(Vector2f, AngleRunsFromTheNegativeYAxis)
{
    EXPECT_FLOAT_EQ((StructVector2f{0.0005f, 1}).GetAngle(), 3.1415927f);
    EXPECT_FLOAT_EQ((StructVector2f{0, -1}).GetAngle(), 0.0f);
    EXPECT_FLOAT_EQ((StructVector2f{0, 0}).GetAngle(), 0.0f);
    EXPECT_NEAR((StructVector2f{1, 0}).GetAngle(), 1.5707963f, 1e-6);
    EXPECT_NEAR((StructVector2f{1, 1}).GetAngle(), 2.3561944f, 1e-6);
    EXPECT_NEAR((StructVector2f{-1, 1}).GetAngle(), 3.9269908f, 1e-6);
    EXPECT_NEAR((StructVector2f{-1, 0}).GetAngle(), 4.7123889f, 1e-6);
}

TEST(Vector3f, ProductsNormalisationAndOperators)
{
    StructVector3f x{1, 0, 0};
    const StructVector3f y{0, 1, 0};
    EXPECT_EQ(x.GetAngle(y), 0.0f);
    EXPECT_EQ((StructVector3f{1, 2, 3}).GetAngle(StructVector3f{4, 5, 6}), 32.0f);
    x.Cross(y);
    EXPECT_EQ(x.x, 0.0f);
    EXPECT_EQ(x.y, 0.0f);
    EXPECT_EQ(x.z, 1.0f);

    StructVector3f n{3, 0, 4};
    n.Normalize();
    EXPECT_NEAR(n.x, 0.6f, 0.002f);
    EXPECT_NEAR(n.z, 0.8f, 0.002f);
    n.Neg();
    EXPECT_LT(n.z, 0.0f);

    StructVector3f v;
    v = 2.0f;
    EXPECT_EQ(v.y, 2.0f);
    v *= 3.0f;
    v /= 2.0f;
    EXPECT_EQ(v.z, 3.0f);

    const StructVector3f a{2, 4, 8};
    const StructVector3f b{1, 2, 4};
    EXPECT_EQ((a + b).z, 12.0f);
    EXPECT_EQ((a - b).y, 2.0f);
    EXPECT_EQ((a * b).z, 32.0f);
    EXPECT_EQ((a / b).x, 2.0f);
    EXPECT_EQ((a * 0.5f).y, 2.0f);
    EXPECT_EQ((0.5f * a).z, 4.0f);
    EXPECT_EQ((a / 2.0f).x, 1.0f);
    EXPECT_EQ((8.0f / a).y, 2.0f);
}

TEST(Vector3f, FastInverseSquareRootIsClose)
{
    EXPECT_NEAR(mInvSqrt(4.0f), 0.5f, 0.002f);
    EXPECT_NEAR(mInvSqrt(100.0f), 0.1f, 0.0005f);
    EXPECT_NEAR(mInvSqrt(0.25f), 2.0f, 0.01f);
    // Not exact: one Newton step from the bit-trick guess.
    EXPECT_NE(mInvSqrt(4.0f), 0.5f);
}
