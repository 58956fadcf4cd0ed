#include <GL/gl.h>

#include "3d/Matrix4.h"
#include "TestSupport.h"

using Vell3D::Matrix4;
using Vell3D::Vector3;

namespace {

Matrix4 glModelView()
{
    double m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    return Matrix4::fromArray(m);
}

// GL keeps its matrices in floats; our doubles must agree to float precision.
constexpr double floatTolerance = 1e-5;

} // namespace

TEST(Matrix4, rotationNormalisesTheAxis)
{
    Matrix4 a = Matrix4::rotation(33, 0, 0, 5);
    Matrix4 b = Matrix4::rotation(33, 0, 0, 1);
    EXPECT_LT(a.maxDifference(b), 1e-15);
    EXPECT_EQ(Matrix4::rotation(45, 0, 0, 0), Matrix4());
}

TEST(Matrix4, rotationTurnsCounterClockwise)
{
    Vector3 p = Matrix4::rotation(90, 0, 0, 1).transformPoint(Vector3(1, 0, 0));
    EXPECT_NEAR(p.x, 0, 1e-15);
    EXPECT_NEAR(p.y, 1, 1e-15);
    Vector3 q = Matrix4::rotation(120, 1, 1, 1).transformPoint(Vector3(1, 0, 0));
    EXPECT_NEAR(q.y, 1, 1e-12);   // a third of a turn about the diagonal cycles the axes
}

TEST(Matrix4, productIsColumnMajorAndRightApplied)
{
    Matrix4 m = Matrix4::translation(10, 0, 0) * Matrix4::scaling(2, 2, 2);
    Vector3 p = m.transformPoint(Vector3(1, 1, 1));
    EXPECT_TRUE(p.equals(Vector3(12, 2, 2)));
    EXPECT_DOUBLE_EQ(m.at(0, 3), 10.0);
    EXPECT_DOUBLE_EQ(m[12], 10.0);
}

TEST(Matrix4, reflectionIsItsOwnInverse)
{
    Vector3 n = Vector3(1, 2, 2).normalized();
    Matrix4 f = Matrix4::reflection(Vector3(3, 0, 0), n);
    EXPECT_LT((f * f).maxDifference(Matrix4()), 1e-14);
    Vector3 onPlane(3, 0, 0);
    EXPECT_LT(f.transformPoint(onPlane).minus(onPlane).length(), 1e-14);
}

TEST(Matrix4, pointIsDividedByW)
{
    Matrix4 m;
    m[15] = 2.0;
    EXPECT_TRUE(m.transformPoint(Vector3(2, 4, 6)).equals(Vector3(1, 2, 3)));
}

class Matrix4AgainstGL : public GLTest {};

TEST_F(Matrix4AgainstGL, sameValuesAsTheFixedFunctionCalls)
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslated(3, -4, 5.5);
    glRotated(37.5, 1, -2, 0.5);
    glScaled(2, 0.5, -3);
    glRotated(-90, 0, 0, 1);
    Matrix4 ours = Matrix4::translation(3, -4, 5.5) * Matrix4::rotation(37.5, 1, -2, 0.5)
                   * Matrix4::scaling(2, 0.5, -3) * Matrix4::rotation(-90, 0, 0, 1);
    Matrix4 theirs = glModelView();
    glPopMatrix();
    EXPECT_LT(ours.maxDifference(theirs), floatTolerance * 10);

    for (double angle : {0.0, 30.0, 90.0, 180.0, -270.0, 1000.0}) {
        glPushMatrix();
        glLoadIdentity();
        glRotated(angle, 0.3, 0.4, -2);
        theirs = glModelView();
        glPopMatrix();
        EXPECT_LT(Matrix4::rotation(angle, 0.3, 0.4, -2).maxDifference(theirs), floatTolerance)
            << angle;
    }
}

TEST_F(Matrix4AgainstGL, multiplyMatchesMultMatrix)
{
    Matrix4 a = Matrix4::rotation(20, 0, 1, 0) * Matrix4::translation(1, 2, 3);
    Matrix4 b = Matrix4::scaling(1, 2, 3) * Matrix4::rotation(70, 1, 0, 0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadMatrixd(a.data());
    glMultMatrixd(b.data());
    Matrix4 theirs = glModelView();
    glPopMatrix();
    EXPECT_LT((a * b).maxDifference(theirs), floatTolerance);
}
