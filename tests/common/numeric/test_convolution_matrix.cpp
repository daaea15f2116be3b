#include "pixorama/common/MatrixMul.h"

#include <gtest/gtest.h>

namespace {

using Matrix = ClassData2DIO<float>;

Matrix make(int w, int h, std::initializer_list<float> values)
{
    Matrix m;
    m.SetDim(w, h);
    int i = 0;
    for (float v : values) {
        m.rows[i / w][i % w] = v;
        ++i;
    }
    return m;
}

} // namespace

TEST(MatrixProduct, RowsTimesColumns)
{
    // a is 2 x 3 (two rows of three), b is 3 x 2.
    Matrix a = make(3, 2, {1, 2, 3, 4, 5, 6});
    Matrix b = make(2, 3, {7, 8, 9, 10, 11, 12});
    Matrix c;
    ASSERT_TRUE(MatrixMul(a, b, c));
    ASSERT_EQ(c.width, 2);
    ASSERT_EQ(c.height, 2);
    EXPECT_EQ(c.rows[0][0], 58.0f);
    EXPECT_EQ(c.rows[0][1], 64.0f);
    EXPECT_EQ(c.rows[1][0], 139.0f);
    EXPECT_EQ(c.rows[1][1], 154.0f);

    // A column times a row is their outer product, of the row's width.
    Matrix col = make(1, 3, {1, 2, 3});
    Matrix row = make(4, 1, {1, 0, -1, 2});
    ASSERT_TRUE(MatrixMul(col, row, c));
    ASSERT_EQ(c.width, 4);
    ASSERT_EQ(c.height, 3);
    EXPECT_EQ(c.rows[2][3], 6.0f);
    EXPECT_EQ(c.rows[1][2], -2.0f);
}

TEST(MatrixProduct, MismatchedSizesChangeNothing)
{
    Matrix a = make(3, 2, {1, 2, 3, 4, 5, 6});
    Matrix b = make(2, 2, {1, 2, 3, 4});
    Matrix c = make(1, 1, {42});
    EXPECT_FALSE(MatrixMul(a, b, c));
    EXPECT_EQ(c.width, 1);
    EXPECT_EQ(c.rows[0][0], 42.0f);
    Matrix empty;
    EXPECT_FALSE(MatrixMul(empty, b, c));
    EXPECT_EQ(c.rows[0][0], 42.0f);
}

TEST(MatrixProduct, ResultMayReplaceAnOperand)
{
    Matrix a = make(2, 2, {1, 2, 3, 4});
    Matrix b = make(2, 2, {0, 1, 1, 0});
    ASSERT_TRUE(MatrixMul(a, b, a));
    EXPECT_EQ(a.rows[0][0], 2.0f);
    EXPECT_EQ(a.rows[0][1], 1.0f);
    EXPECT_EQ(a.rows[1][0], 4.0f);
    EXPECT_EQ(a.rows[1][1], 3.0f);
    ASSERT_TRUE(MatrixMul(b, b, b));
    EXPECT_EQ(b.rows[0][0], 1.0f);
    EXPECT_EQ(b.rows[0][1], 0.0f);
}
