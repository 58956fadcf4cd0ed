#include "render/GLStateSave.h"

namespace Vell3D {

void GLStateSave::capture()
{
    for (int i = 0; i < switchCount; ++i)
        enabled[i] = glIsEnabled(switches[i]);
    glGetIntegerv(GL_STENCIL_FUNC, &stencilFunc);
    glGetIntegerv(GL_STENCIL_REF, &stencilRef);
    glGetIntegerv(GL_STENCIL_VALUE_MASK, &stencilValueMask);
    glGetIntegerv(GL_STENCIL_FAIL, &stencilFail);
    glGetIntegerv(GL_STENCIL_PASS_DEPTH_FAIL, &stencilDepthFail);
    glGetIntegerv(GL_STENCIL_PASS_DEPTH_PASS, &stencilPass);
    glGetIntegerv(GL_STENCIL_WRITEMASK, &stencilWriteMask);
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
    glGetDoublev(GL_DEPTH_RANGE, depthRange);
    glGetIntegerv(GL_FRONT_FACE, &frontFace);
    glGetIntegerv(GL_CULL_FACE_MODE, &cullFace);
    glGetIntegerv(GL_POLYGON_MODE, polygonMode);
    glGetFloatv(GL_POLYGON_OFFSET_FACTOR, &offsetFactor);
    glGetFloatv(GL_POLYGON_OFFSET_UNITS, &offsetUnits);
}

void GLStateSave::restore() const
{
    for (int i = 0; i < switchCount; ++i) {
        if (enabled[i])
            glEnable(switches[i]);
        else
            glDisable(switches[i]);
    }
    glStencilFunc(GLenum(stencilFunc), stencilRef, GLuint(stencilValueMask));
    glStencilOp(GLenum(stencilFail), GLenum(stencilDepthFail), GLenum(stencilPass));
    glStencilMask(GLuint(stencilWriteMask));
    glDepthFunc(GLenum(depthFunc));
    glDepthMask(depthMask);
    glDepthRange(depthRange[0], depthRange[1]);
    glFrontFace(GLenum(frontFace));
    glCullFace(GLenum(cullFace));
    glPolygonMode(GL_FRONT, GLenum(polygonMode[0]));
    glPolygonMode(GL_BACK, GLenum(polygonMode[1]));
    glPolygonOffset(offsetFactor, offsetUnits);
}

} // namespace Vell3D
