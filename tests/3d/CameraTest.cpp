#include <GL/gl.h>

#include <vector>

#include "3d/Camera.h"
#include "3d/Shape.h"
#include "TestSupport.h"

using Vell3D::Camera;
using Vell3D::Matrix4;
using Vell3D::Node;
using Vell3D::Vector3;

namespace {

Matrix4 glMatrix(GLenum which)
{
    double m[16];
    glGetDoublev(which, m);
    return Matrix4::fromArray(m);
}

// Records the model-view matrix at each draw, so a test sees both which
// nodes were drawn and under which transform.
class RecordingShape : public Vell3D::Shape {
public:
    void draw() override { seen.push_back(glMatrix(GL_MODELVIEW_MATRIX)); }
    std::vector<Matrix4> seen;
};

class CountingCamera : public Camera {
public:
    using Camera::Camera;
    void changed() override { ++changes; }
    int changes = 0;
};

Matrix4 frustum(double l, double r, double b, double t, double n, double f)
{
    Matrix4 m = Matrix4::scaling(0, 0, 0);
    m[0] = 2 * n / (r - l);
    m[5] = 2 * n / (t - b);
    m[8] = (r + l) / (r - l);
    m[9] = (t + b) / (t - b);
    m[10] = -(f + n) / (f - n);
    m[11] = -1;
    m[14] = -2 * f * n / (f - n);
    m[15] = 0;
    return m;
}

} // namespace

TEST(Camera, pitchSitsBetweenFrameAndTransform)
{
    Camera c;
    c.translate(0, 0, 10);
    c.setPitch(90);
    Vector3 p = c.toParent(Vector3(0, 1, 0));   // pitched up: the camera's y becomes z
    EXPECT_NEAR(p.x, 0, 1e-12);
    EXPECT_NEAR(p.y, 0, 1e-12);
    EXPECT_NEAR(p.z, 11, 1e-12);
    Vector3 back = c.fromParent(p);
    EXPECT_LT(back.minus(Vector3(0, 1, 0)).length(), 1e-12);
}

TEST(Camera, resetRestoresEveryDefaultThenSignals)
{
    CountingCamera c;
    c.setPitch(30);
    c.addPitch(5);
    EXPECT_DOUBLE_EQ(c.pitchAngle(), 35.0);
    c.setNear(1);
    c.setFar(2);
    c.setXScale(3);
    c.setLightColor(0.5f, 0.5f, 0.5f);
    c.translate(1, 1, 1);
    int before = c.changes;
    c.reset();
    EXPECT_EQ(c.changes, before + 1);
    EXPECT_EQ(c.pitchAngle(), 0.0);
    EXPECT_EQ(c.pitch(), Matrix4());
    EXPECT_EQ(c.inversePitch(), Matrix4());
    EXPECT_EQ(c.matrix(), Matrix4());
    EXPECT_EQ(c.near(), 50.0);
    EXPECT_EQ(c.far(), 30000.0);
    EXPECT_EQ(c.xScale(), 1.0);
    EXPECT_EQ(c.lightColor()[0], 1.0f);
    EXPECT_EQ(c.left(), -100.0);
    EXPECT_EQ(c.top(), 50.0);
}

class CameraRender : public GLTest {};

TEST_F(CameraRender, setViewportScalesTheFrustum)
{
    Camera c;
    c.setXScale(0.1);
    c.setYScale(0.1);
    c.setViewport(Vell::Size(640, 480));
    c.render();
    EXPECT_DOUBLE_EQ(c.left(), -32.0);
    EXPECT_DOUBLE_EQ(c.right(), 32.0);
    EXPECT_DOUBLE_EQ(c.bottom(), -24.0);
    EXPECT_DOUBLE_EQ(c.top(), 24.0);
    EXPECT_LT(glMatrix(GL_PROJECTION_MATRIX).maxDifference(frustum(-32, 32, -24, 24, 50, 30000)), 1e-5);
}

TEST_F(CameraRender, viewIsInverseOfCameraChainAndChildrenCompose)
{
    RecordingShape shape;   // outlives the nodes that show it
    Node root;
    root.translate(100, 0, 0);
    Node holder(&root);
    holder.rotate(30, 0, 0, 1);
    Camera cam(&holder);
    cam.translate(0, 5, 0);
    cam.setPitch(20);
    Node thing(&root);
    thing.translate(1, 2, 3);
    thing.setShape(&shape);

    cam.render();
    Matrix4 view = cam.inversePitch() * cam.inverse() * holder.inverse() * root.inverse();
    EXPECT_LT(glMatrix(GL_MODELVIEW_MATRIX).maxDifference(view), 1e-5);
    ASSERT_EQ(shape.seen.size(), 1u);
    Matrix4 expected = view * root.matrix() * thing.matrix();
    EXPECT_LT(shape.seen[0].maxDifference(expected), 1e-4);
    GLint depthFunc = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    EXPECT_EQ(depthFunc, GL_LESS);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(CameraRender, invisibleNodeHidesItsSubtree)
{
    RecordingShape sa, sb, sc;
    Camera cam;
    Node a(&cam);
    Node b(&a);
    Node c(&cam);
    a.setShape(&sa);
    b.setShape(&sb);
    c.setShape(&sc);
    a.setVisible(false);
    cam.render();
    EXPECT_TRUE(sa.seen.empty());
    EXPECT_TRUE(sb.seen.empty());
    EXPECT_EQ(sc.seen.size(), 1u);
    a.setVisible(true);
    cam.render();
    EXPECT_EQ(sb.seen.size(), 1u);
}

TEST_F(CameraRender, materialReachesGL)
{
    Camera cam;
    Node n(&cam);
    n.setColor(Vell::Color(255, 0, 0));
    n.setPolygonMode(GL_LINE);
    n.setShadeModel(GL_FLAT);
    cam.render();
    GLint modes[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_LINE);
    GLint shade = 0;
    glGetIntegerv(GL_SHADE_MODEL, &shade);
    EXPECT_EQ(shade, GL_FLAT);
    float color[4];
    glGetFloatv(GL_CURRENT_COLOR, color);
    EXPECT_FLOAT_EQ(color[0], 1.0f);
    EXPECT_FLOAT_EQ(color[1], 0.0f);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

TEST_F(CameraRender, drawsPixels)
{
    // A unit quad in front of the camera must cover the centre pixel.
    struct Quad : Vell3D::Shape {
        void draw() override
        {
            glBegin(GL_QUADS);
            glVertex3d(-1000, -1000, -100);
            glVertex3d(1000, -1000, -100);
            glVertex3d(1000, 1000, -100);
            glVertex3d(-1000, 1000, -100);
            glEnd();
        }
    } quad;
    glViewport(0, 0, 64, 64);
    glClearColor(0, 0, 0, 0);
    glDisable(GL_LIGHTING);
    Camera cam;
    Node n(&cam);
    n.setColor(Vell::Color(0, 255, 0));
    n.setShape(&quad);
    cam.render();
    unsigned char pixel[4] = {0, 0, 0, 0};
    glReadBuffer(GL_BACK);
    glReadPixels(32, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 0);
    EXPECT_EQ(pixel[1], 255);
}
