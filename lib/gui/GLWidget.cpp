#include "gui/GLWidget.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>

namespace Vell {

namespace {
const char* glText(const GLubyte* s) { return s ? reinterpret_cast<const char*>(s) : ""; }
}

GLWidget::GLWidget(const Rect& placement, Window* parentWindow) : Widget(placement, parentWindow) { createContext(); }

GLWidget::~GLWidget() noexcept(false)
{
    // deleteGLContext leaves nothing current when the context was.
    Platform::deleteGLContext(renderingContext);
}

void GLWidget::createContext()
{
    // Failures are only reported; the widget lives on and GL calls without
    // a context have no effect.
    if (!Platform::setPixelFormat(handle()))
        std::fputs("can't set pixel format\n", stdout);
    renderingContext = Platform::createGLContext(handle());
    if (!renderingContext)
        std::fputs("null gl rc!\n", stdout);
    std::fflush(stdout);
    makeCurrent();
}

bool GLWidget::makeCurrent() { return Platform::makeCurrent(handle(), renderingContext); }
void GLWidget::swapBuffers() { Platform::swapBuffers(handle()); }

void GLWidget::paintContents(DC&)
{
    makeCurrent();
    // The last frame is finished before the next one is drawn. A software
    // GL rasterises behind the program, and each frame it has not finished
    // keeps its binned scenes (tens of MB on a large map), so frames asked
    // for faster than they are rasterised would pile up where the swap does
    // not wait for them (the offscreen driver's). Where it does (X11) the
    // last frame is done by now and this costs nothing.
    glFinish();
    // The viewport follows the client size at every paint; it is placed
    // where the widget lies in its top-level window's frame.
    Platform::Box viewport = Platform::glViewportFor(handle());
    glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
    render();
    swapBuffers();
}

void GLWidget::printInfo()
{
    std::printf("OpenGL information\n\n");
    std::printf("vendor: %s\n", glText(glGetString(GL_VENDOR)));
    std::printf("renderer: %s\n", glText(glGetString(GL_RENDERER)));
    std::printf("version: %s\n", glText(glGetString(GL_VERSION)));
    std::printf("extensions: %s\n", glText(glGetString(GL_EXTENSIONS)));
    std::printf("GLU version: %s\n", glText(gluGetString(GLU_VERSION)));
    std::printf("GLU extensions: %s\n", glText(gluGetString(GLU_EXTENSIONS)));
    std::fflush(stdout);
}

} // namespace Vell
