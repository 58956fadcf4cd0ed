#include "OffscreenFrame.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include "gui/platform/GLProcs.h"

namespace RenderTests {

namespace {

template <class Proc>
Proc entry(const char* name)
{
    return reinterpret_cast<Proc>(Vell::Platform::glProcAddress(name));
}

} // namespace

OffscreenFrame::OffscreenFrame(int w, int h) : width(w), height(h)
{
    auto genFramebuffers = entry<PFNGLGENFRAMEBUFFERSPROC>("glGenFramebuffers");
    auto bindFramebuffer = entry<PFNGLBINDFRAMEBUFFERPROC>("glBindFramebuffer");
    auto genRenderbuffers = entry<PFNGLGENRENDERBUFFERSPROC>("glGenRenderbuffers");
    auto bindRenderbuffer = entry<PFNGLBINDRENDERBUFFERPROC>("glBindRenderbuffer");
    auto storage = entry<PFNGLRENDERBUFFERSTORAGEPROC>("glRenderbufferStorage");
    auto attach = entry<PFNGLFRAMEBUFFERRENDERBUFFERPROC>("glFramebufferRenderbuffer");
    auto status = entry<PFNGLCHECKFRAMEBUFFERSTATUSPROC>("glCheckFramebufferStatus");
    if (!genFramebuffers || !bindFramebuffer || !genRenderbuffers || !bindRenderbuffer || !storage || !attach ||
        !status)
        return;
    genFramebuffers(1, &framebuffer);
    bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    genRenderbuffers(2, buffers);
    const GLenum formats[2] = {GL_RGBA8, GL_DEPTH24_STENCIL8};
    const GLenum points[2] = {GL_COLOR_ATTACHMENT0, GL_DEPTH_STENCIL_ATTACHMENT};
    for (int i = 0; i < 2; ++i) {
        bindRenderbuffer(GL_RENDERBUFFER, buffers[i]);
        storage(GL_RENDERBUFFER, formats[i], width, height);
        attach(GL_FRAMEBUFFER, points[i], GL_RENDERBUFFER, buffers[i]);
    }
    complete = status(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glViewport(0, 0, width, height);
}

OffscreenFrame::~OffscreenFrame()
{
    auto bindFramebuffer = entry<PFNGLBINDFRAMEBUFFERPROC>("glBindFramebuffer");
    auto deleteFramebuffers = entry<PFNGLDELETEFRAMEBUFFERSPROC>("glDeleteFramebuffers");
    auto deleteRenderbuffers = entry<PFNGLDELETERENDERBUFFERSPROC>("glDeleteRenderbuffers");
    if (bindFramebuffer)
        bindFramebuffer(GL_FRAMEBUFFER, 0);
    if (deleteFramebuffers && framebuffer)
        deleteFramebuffers(1, &framebuffer);
    if (deleteRenderbuffers && buffers[0])
        deleteRenderbuffers(2, buffers);
}

std::vector<std::uint32_t> OffscreenFrame::pixels() const
{
    std::vector<std::uint32_t> out(std::size_t(width) * std::size_t(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
    return out;
}

} // namespace RenderTests
