// Camera: a node that looks down its own -z axis through a frustum, with a
// pitch rotation kept apart from the node transform (so turning and walking
// never tilt the body) and one directional light. Rendering a view starts at
// a camera and draws the whole tree the camera belongs to.
#pragma once

#include "3d/Node.h"
#include "gui/Size.h"

namespace Vell3D {

class Camera : public Node {
public:
    explicit Camera(Node* parent = nullptr);

    // Every field back to its default, then changed.
    void reset() override;
    // The pitch sits between the camera's own frame and its node transform.
    Vector3 toParent(const Vector3& p) const override;
    Vector3 fromParent(const Vector3& p) const override;

    // Lets a subclass set up the clear values before render clears.
    virtual void prepareClear() {}
    // Fits the frustum's sides to a viewport of that size; render draws.
    virtual void setViewport(const Vell::Size& size);
    // Clears, sets projection, camera transform and light, draws the scene
    // from the root of this camera's tree. Needs a current GL context.
    virtual void render();
    virtual void setPitch(double angle);
    virtual void addPitch(double delta) { setPitch(delta + pitchAngle_); }
    virtual void setLightColor(float r, float g, float b);
    virtual void setLightDirection(float x, float y, float z);
    virtual void setXScale(double scale) { xScale_ = scale; }
    virtual double xScale() const { return xScale_; }
    virtual void setYScale(double scale) { yScale_ = scale; }
    virtual double yScale() const { return yScale_; }
    virtual void setNear(double value) { near_ = value; }
    virtual double near() const { return near_; }
    virtual void setFar(double value) { far_ = value; }
    virtual double far() const { return far_; }

    double pitchAngle() const { return pitchAngle_; }
    const Matrix4& pitch() const { return pitch_; }
    const Matrix4& inversePitch() const { return inversePitch_; }
    double left() const { return left_; }
    double right() const { return right_; }
    double top() const { return top_; }
    double bottom() const { return bottom_; }
    const float* lightColor() const { return lightColor_; }
    const float* lightDirection() const { return lightDirection_; }

private:
    void setDefaults();

    double pitchAngle_ = 0.0;
    float lightColor_[3] = {1.0f, 1.0f, 1.0f};
    float lightDirection_[3] = {1.0f, 1.0f, 1.0f};
    double xScale_ = 1.0;
    double yScale_ = 1.0;
    double near_ = 50.0;
    double far_ = 30000.0;
    double left_ = -100.0;
    double right_ = 100.0;
    double top_ = 50.0;
    double bottom_ = -50.0;
    Matrix4 pitch_;
    Matrix4 inversePitch_;
};

} // namespace Vell3D
