#include "3d/Camera.h"

namespace Vell3D {

Camera::Camera(Node* parent) : Node(parent)
{
}

void Camera::setDefaults()
{
    pitchAngle_ = 0.0;
    for (int i = 0; i < 3; ++i) {
        lightColor_[i] = 1.0f;
        lightDirection_[i] = 1.0f;
    }
    xScale_ = 1.0;
    yScale_ = 1.0;
    near_ = 50.0;
    far_ = 30000.0;
    left_ = -100.0;
    right_ = 100.0;
    top_ = 50.0;
    bottom_ = -50.0;
    pitch_ = Matrix4();
    inversePitch_ = Matrix4();
}

void Camera::reset()
{
    setDefaults();
    resetMatrices();
    changed();
}

Vector3 Camera::toParent(const Vector3& p) const
{
    return (matrix() * pitch_).transformPoint(p);
}

Vector3 Camera::fromParent(const Vector3& p) const
{
    return (inversePitch_ * inverse()).transformPoint(p);
}

void Camera::setViewport(const Vell::Size& size)
{
    right_ = size.width * xScale_ * 0.5;
    left_ = -right_;
    top_ = size.height * yScale_ * 0.5;
    bottom_ = -top_;
}

void Camera::render()
{
    prepareClear();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glDepthFunc(GL_LESS);
    glEnable(GL_DEPTH_TEST);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glEnable(GL_LIGHT0);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(left_, right_, bottom_, top_, near_, far_);

    // The view transform is the inverse of the camera's place in the world:
    // undo the pitch, then each frame from the camera up to the root.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMultMatrixd(inversePitch_.data());
    Node* root = this;
    for (Node* n = this; n; n = n->parent()) {
        glMultMatrixd(n->inverse().data());
        root = n;
    }

    const float diffuse[4] = {lightColor_[0], lightColor_[1], lightColor_[2], 1.0f};
    const float direction[4] = {lightDirection_[0], lightDirection_[1], lightDirection_[2], 0.0f};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_POSITION, direction);

    root->drawTree();
    glFlush();
}

void Camera::setPitch(double angle)
{
    pitchAngle_ = angle;
    pitch_ = Matrix4::rotation(angle, 1.0, 0.0, 0.0);
    inversePitch_ = Matrix4::rotation(-angle, 1.0, 0.0, 0.0);
    changed();
}

void Camera::setLightColor(float r, float g, float b)
{
    lightColor_[0] = r;
    lightColor_[1] = g;
    lightColor_[2] = b;
}

void Camera::setLightDirection(float x, float y, float z)
{
    lightDirection_[0] = x;
    lightDirection_[1] = y;
    lightDirection_[2] = z;
}

} // namespace Vell3D
