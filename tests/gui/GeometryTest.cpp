#include "gui/Rect.h"

#include <gtest/gtest.h>

using namespace Vell;

TEST(Geometry, RectFromInclusiveCorners)
{
    Rect r(Point(10, 20), Point(19, 29));
    EXPECT_EQ(r.width(), 10);
    EXPECT_EQ(r.height(), 10);
    EXPECT_EQ(r.bottomRight(), Point(19, 29));
}

TEST(Geometry, NormalisingKeepsTheFarCorner)
{
    Rect r(19, 29, -8, -8);         // far corner at origin + size - 1 = (10, 20)
    r.normalize();
    EXPECT_EQ(r.topLeft(), Point(10, 20));
    EXPECT_EQ(r.size, Size(8, 8));
    EXPECT_EQ(Rect(19, 29, -8, -8), Rect(10, 20, 8, 8));
}

TEST(Geometry, EmptyAndInflate)
{
    EXPECT_TRUE(Rect(5, 5, 0, 7).isEmpty());
    EXPECT_FALSE(Rect(5, 5, 1, 1).isEmpty());
    Rect r(10, 10, 4, 4);
    r.inflate(2, 3);
    EXPECT_EQ(r, Rect(8, 7, 8, 10));
    r.inflate(1, 0, 0, 1);
    EXPECT_EQ(r, Rect(7, 7, 9, 11));
}

TEST(Geometry, ScalingTruncatesTowardZero)
{
    EXPECT_EQ(Point(7, -7) * 0.5, Point(3, -3));
    EXPECT_EQ(Size(10, 9) / 4.0, Size(2, 2));
    EXPECT_EQ(Size::minimum(Size(3, 9), Size(5, 1)), Size(3, 1));
    EXPECT_EQ(Size::maximum(Size(3, 9), Size(5, 1)), Size(5, 9));
    EXPECT_DOUBLE_EQ(Point(0, 0).distance(Point(3, 4)), 5.0);
    // Extreme coordinates do not overflow the distance.
    EXPECT_GT(Point(INT32_MIN, 0).distance(Point(INT32_MAX, 0)), 4e9);
}

TEST(Geometry, ContainsIncludesBothCorners)
{
    Rect r(Point(0, 0), Point(9, 9));
    EXPECT_TRUE(r.contains(Point(9, 9)));
    EXPECT_FALSE(r.contains(Point(10, 9)));
}
