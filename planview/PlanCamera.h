// PlanCamera: the plan view's camera, the root of its scene. Drawing a
// tree applies each node's own matrix, the root's included, while the
// camera's view transform already holds the root's inverse; the two would
// cancel and leave the picture at the eye. The camera undoes its own matrix
// when drawn, so the scene below it is seen from where the camera stands
// and moving the camera (the view's height) shows.
#pragma once

#include <GL/gl.h>

#include "3d/Camera.h"

namespace Vell3D {

class PlanCamera : public Camera {
public:
    using Camera::Camera;

    void draw() override
    {
        glMultMatrixd(inverse().data());
        Camera::draw();
    }
};

} // namespace Vell3D
