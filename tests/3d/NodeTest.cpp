#include "3d/Node.h"
#include "3d/Shape.h"
#include "3d/Texture.h"
#include "3d/Vell3DException.h"
#include "TestSupport.h"

using Vell3D::Matrix4;
using Vell3D::Node;
using Vell3D::Vector3;

namespace {

void expectInversePair(const Node& n)
{
    EXPECT_LT((n.matrix() * n.inverse()).maxDifference(Matrix4()), 1e-12);
    EXPECT_LT((n.inverse() * n.matrix()).maxDifference(Matrix4()), 1e-12);
}

void expectNear(const Vector3& a, const Vector3& b, double tolerance = 1e-12)
{
    EXPECT_LT(a.minus(b).length(), tolerance)
        << "(" << a.x << ", " << a.y << ", " << a.z << ") vs (" << b.x << ", " << b.y << ", " << b.z << ")";
}

class CountingNode : public Node {
public:
    using Node::Node;
    void changed() override { ++changes; }
    int changes = 0;
};

class CountedShape : public Vell3D::Shape, public Vell::UsageCounter {
public:
    void draw() override {}
};

} // namespace

TEST(Node, localRotationKeepsPositionGlobalMovesIt)
{
    Node a;
    a.translate(1, 0, 0);
    a.rotate(90, 0, 0, 1);
    expectNear(a.position(), Vector3(1, 0, 0));
    Node b;
    b.translate(1, 0, 0);
    b.rotateGlobal(90, 0, 0, 1);
    expectNear(b.position(), Vector3(0, 1, 0));
}

TEST(Node, inverseFollowsEveryOperation)
{
    CountingNode n;
    n.translate(5, -3, 2);
    n.rotate(33, 1, 2, 3);
    n.scale(2, -0.5, 4);
    n.translateGlobal(-7, 1, 0.25);
    n.rotateGlobal(-71, 0, 1, 0);
    n.reflect(Vector3(1, 1, 1), Vector3(0, 0.6, 0.8));
    Node other;
    other.rotate(12, 1, 0, 0);
    other.translate(3, 3, 3);
    n.multiply(other);
    expectInversePair(n);
    EXPECT_EQ(n.changes, 7);
    Vector3 p(4, -2, 9);
    expectNear(n.fromParent(n.toParent(p)), p, 1e-10);
}

TEST(Node, reflectTwiceRestoresBothMatrices)
{
    Node n;
    n.rotate(25, 0, 0, 1);
    n.translate(3, 4, 5);
    Matrix4 m = n.matrix();
    Matrix4 inv = n.inverse();
    Vector3 normal = Vector3(1, -1, 0.5).normalized();
    n.reflect(Vector3(2, 0, 1), normal);
    EXPECT_GT(n.matrix().maxDifference(m), 0.1);
    n.reflect(Vector3(2, 0, 1), normal);
    EXPECT_LT(n.matrix().maxDifference(m), 1e-12);
    EXPECT_LT(n.inverse().maxDifference(inv), 1e-12);
}

TEST(Node, multiplyByItselfUsesTheOldMatrix)
{
    Node n;
    n.translate(1, 2, 3);
    n.multiply(n);
    expectNear(n.position(), Vector3(2, 4, 6));
    expectInversePair(n);
}

TEST(Node, headingIsPiecewiseLinear)
{
    Node n;
    EXPECT_DOUBLE_EQ(n.heading(), 360.0);
    n.rotate(-90, 0, 0, 1);   // element 4 = 1, element 5 = 0
    EXPECT_NEAR(n.heading(), 90.0, 1e-12);
    n.reset();
    n.rotate(60, 0, 0, 1);    // -sin < 0: 270 + 90 cos
    EXPECT_NEAR(n.heading(), 270.0 + 45.0, 1e-12);
    n.reset();
    n.rotate(-60, 0, 0, 1);   // -sin > 0: 90 - 90 cos
    EXPECT_NEAR(n.heading(), 90.0 - 45.0, 1e-12);
}

TEST(Node, setPositionStartsFromIdentity)
{
    Node n;
    n.rotate(45, 0, 1, 0);
    n.scale(3, 3, 3);
    n.setPosition(1, 2, 3);
    EXPECT_EQ(n.matrix(), Matrix4::translation(1, 2, 3));
    EXPECT_EQ(n.inverse(), Matrix4::translation(-1, -2, -3));
}

TEST(Node, zeroScaleIsRefused)
{
    Node n;
    EXPECT_THROW(n.scale(1, 0, 1), Vell3D::Vell3DException);
    EXPECT_EQ(n.matrix(), Matrix4());
}

TEST(Node, pointsTravelUpTheTree)
{
    Node root;
    root.translate(100, 0, 0);
    Node child(&root);
    child.rotate(90, 0, 0, 1);
    Vector3 world = root.toParent(child.toParent(Vector3(1, 0, 0)));
    expectNear(world, Vector3(100, 1, 0));
}

TEST(Node, childrenKeepOrderAndFollowReparenting)
{
    Node a;
    Node b;
    Node c1(&a);
    Node c2(&a);
    ASSERT_EQ(a.children().size(), 2u);
    EXPECT_EQ(a.children()[0], &c1);
    c1.setParent(&b);
    EXPECT_EQ(c1.parent(), &b);
    ASSERT_EQ(a.children().size(), 1u);
    EXPECT_EQ(a.children()[0], &c2);
    EXPECT_EQ(b.children().back(), &c1);
    c1.setParent(nullptr);
    EXPECT_TRUE(b.children().empty());
}

TEST(Node, cyclesAreRefused)
{
    Node a;
    Node b(&a);
    Node c(&b);
    EXPECT_THROW(a.setParent(&c), Vell3D::Vell3DException);
    EXPECT_THROW(a.setParent(&a), Vell3D::Vell3DException);
    EXPECT_EQ(a.parent(), nullptr);
}

TEST(Node, destructionUnlinksBothWays)
{
    Node parent;
    auto middle = std::make_unique<Node>(&parent);
    Node grandchild(middle.get());
    middle.reset();
    EXPECT_TRUE(parent.children().empty());
    EXPECT_EQ(grandchild.parent(), nullptr);
}

TEST(Node, attachesToShapeWithCounter)
{
    CountedShape shape;
    {
        Node a;
        Node b;
        a.setShape(&shape);
        b.setShape(&shape);
        EXPECT_EQ(shape.usageCount(), 2);
        a.setShape(nullptr);
        EXPECT_EQ(shape.usageCount(), 1);
    }
    EXPECT_EQ(shape.usageCount(), 0);
}
