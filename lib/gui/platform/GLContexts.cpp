// OpenGL contexts of GL windows. Every top-level window is made with the
// GL format, so a child's context draws into its top-level window's frame.
#include "gui/platform/WindowRegistry.h"

namespace Vell::Platform {

namespace {
WindowRegistry& registry() { return WindowRegistry::instance(); }
bool noFormat = false;   // a simulated pixel-format refusal, until the context attempt
}

void simulateGLFailure(GLStatus failure) { registry().pendingFailure = failure; }

bool setPixelFormat(Handle window)
{
    WindowState* top = registry().topLevelOf(registry().find(window));
    if (top)
        ensureSdlWindow(*top);
    if (registry().pendingFailure == GLStatus::noPixelFormat) {
        registry().pendingFailure = GLStatus::ok;
        noFormat = true;
        return false;
    }
    return top && top->hasGL;
}

GLContext createGLContext(Handle window)
{
    WindowState* w = registry().find(window);
    WindowState* top = registry().topLevelOf(w);
    bool refused = noFormat || registry().pendingFailure == GLStatus::noContext;
    noFormat = false;
    if (registry().pendingFailure == GLStatus::noContext)
        registry().pendingFailure = GLStatus::ok;
    if (top)
        ensureSdlWindow(*top);
    if (refused || !top || !top->hasGL)
        return 0;
    SDL_GLContext context = SDL_GL_CreateContext(top->sdl);
    if (!context)
        return 0;
    GLContext id = registry().nextContext++;
    registry().contexts[id] = {window, context};
    w->glContexts++;
    invalidate(window, nullptr);
    return id;
}

bool makeCurrent(Handle window, GLContext context)
{
    auto it = registry().contexts.find(context);
    WindowState* top = registry().topLevelOf(registry().find(window));
    if (it == registry().contexts.end() || !top || !top->sdl)
        return false;
    return SDL_GL_MakeCurrent(top->sdl, it->second.second) == 0;
}

void deleteGLContext(GLContext context)
{
    auto it = registry().contexts.find(context);
    if (it == registry().contexts.end())
        return;
    auto [window, sdlContext] = it->second;
    if (SDL_GL_GetCurrentContext() == sdlContext)
        SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr);
    SDL_GL_DeleteContext(sdlContext);
    if (WindowState* w = registry().find(window); w && w->glContexts > 0)
        w->glContexts--;
    registry().contexts.erase(it);
}

Box glViewportFor(Handle window)
{
    WindowState* w = registry().find(window);
    WindowState* top = registry().topLevelOf(w);
    if (!w || !top)
        return {};
    int x, y;
    registry().offsetInTopLevel(*w, x, y);
    Box client = clientRect(window);
    Box topClient = clientRect(top->handle);
    return {x, topClient.height - (y + client.height), client.width, client.height};
}

bool swapBuffers(Handle window)
{
    WindowState* w = registry().find(window);
    WindowState* top = registry().topLevelOf(w);
    if (!w || !top)
        return false;
    w->glRendered = true;
    // Inside a paint the present waits for the paint's end, so what the
    // paint draws after the swap still shows over the frame.
    if (!w->painting)
        presentIfComplete(*top);
    return true;
}

} // namespace Vell::Platform
