#include <cmath>
#include <limits>

#include "3d/Plane.h"
#include "3d/Vector2.h"
#include "3d/Vector3.h"
#include "TestSupport.h"

using Vell3D::Plane;
using Vell3D::Vector2;
using Vell3D::Vector3;

TEST(Vector3, arithmeticLeavesOperandsAlone)
{
    Vector3 v(1, 2, 3);
    EXPECT_TRUE(v.subtractedFrom(10).equals(Vector3(9, 8, 7)));
    EXPECT_TRUE(v.minus(Vector3(3, 2, 1)).equals(Vector3(-2, 0, 2)));
    EXPECT_TRUE(v.cross(Vector3(0, 0, 1)).equals(Vector3(2, -1, 0)));
    EXPECT_TRUE(v.plusScalar(1).equals(Vector3(2, 3, 4)));
    EXPECT_TRUE(v.equals(Vector3(1, 2, 3)));
    EXPECT_TRUE(v.notEquals(Vector3(1, 2, 3.0000001)));
}

TEST(Vector3, streamsAsThreeDoubles)
{
    MemoryStream s;
    Vector3 v(1.5, -2.0, 1e300);
    s << v;
    ASSERT_EQ(s.bytes.size(), 24u);
    EXPECT_EQ(s.bytes[6], 0xF8);   // 1.5 = 0x3FF8000000000000, least significant first
    EXPECT_EQ(s.bytes[7], 0x3F);
    Vector3 back;
    s >> back;
    EXPECT_TRUE(back.equals(v));
}

TEST(Vector2, streamsAsTwoDoubles)
{
    MemoryStream s;
    Vector2 v(0.25, 7);
    s << v;
    ASSERT_EQ(s.bytes.size(), 16u);
    Vector2 back;
    s >> back;
    EXPECT_TRUE(back.equals(v));
    EXPECT_TRUE(back.notEquals(Vector2(0.25, 8)));
}

TEST(Plane, fromThreePointsKeepsUnnormalisedNormal)
{
    Plane p(Vector3(0, 0, 5), Vector3(2, 0, 5), Vector3(0, 3, 5));
    EXPECT_DOUBLE_EQ(p.c, 6.0);   // (2,0,0) x (0,3,0)
    EXPECT_DOUBLE_EQ(p.d, -30.0);
    EXPECT_DOUBLE_EQ(p.value(Vector3(7, 7, 6)), 6.0);
}

TEST(Plane, classifyHasAHalfUnitBand)
{
    Plane p(0, 0, 1, 0);
    EXPECT_EQ(p.classify(Vector3(0, 0, 0.49)), 0);
    EXPECT_EQ(p.classify(Vector3(0, 0, -0.49)), 0);
    EXPECT_EQ(p.classify(Vector3(0, 0, 0.5)), 1);
    EXPECT_EQ(p.classify(Vector3(0, 0, -0.5)), -1);
}

TEST(Plane, intersectGivesRayParameter)
{
    Plane p(0, 0, 1, -10);   // z = 10
    EXPECT_DOUBLE_EQ(p.intersect(Vector3(0, 0, 0), Vector3(0, 0, 10)), 1.0);
    EXPECT_DOUBLE_EQ(p.intersect(Vector3(0, 0, 0), Vector3(3, 0, 40)), 0.25);
    double t = p.intersect(Vector3(0, 0, 0), Vector3(5, 5, 0));
    EXPECT_TRUE(std::isinf(t) && t > 0);
}
