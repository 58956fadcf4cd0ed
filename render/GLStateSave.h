// GLStateSave: the stencil, enable, depth and polygon state that drawing a
// mirror changes, read before and written back after. Mirrors nest 32 deep
// and the attribute stack of many drivers (Mesa's among them) holds only 16
// entries, so a mirror keeps this state itself rather than pushing it.
#pragma once

#include <GL/gl.h>

namespace Vell3D {

class GLStateSave {
public:
    void capture();
    void restore() const;

private:
    static constexpr GLenum switches[] = {GL_TEXTURE_2D, GL_DEPTH_TEST,   GL_STENCIL_TEST,
                                          GL_CLIP_PLANE0, GL_FOG,         GL_CULL_FACE,
                                          GL_POLYGON_OFFSET_FILL, GL_BLEND, GL_LIGHTING,
                                          GL_ALPHA_TEST};
    static constexpr int switchCount = sizeof switches / sizeof switches[0];

    GLboolean enabled[switchCount] = {};
    GLint stencilFunc = GL_ALWAYS, stencilRef = 0, stencilValueMask = 0;
    GLint stencilFail = GL_KEEP, stencilDepthFail = GL_KEEP, stencilPass = GL_KEEP;
    GLint stencilWriteMask = 0;
    GLint depthFunc = GL_LESS;
    GLboolean depthMask = GL_TRUE;
    GLdouble depthRange[2] = {0.0, 1.0};
    GLint frontFace = GL_CCW, cullFace = GL_BACK;
    GLint polygonMode[2] = {GL_FILL, GL_FILL};
    GLfloat offsetFactor = 0.0f, offsetUnits = 0.0f;
};

} // namespace Vell3D
