#include "gui/platform/GLProcs.h"

#include <GL/gl.h>
#include <SDL.h>

#include <cstdio>

namespace Vell::Platform {

bool hasCurrentGLContext()
{
    return SDL_GL_GetCurrentContext() != nullptr;
}

void* glProcAddress(const char* name)
{
    if (!name || !SDL_GL_GetCurrentContext())
        return nullptr;
    return SDL_GL_GetProcAddress(name);
}

const char* glExtensionString()
{
    if (!SDL_GL_GetCurrentContext())
        return "";
    const GLubyte* text = glGetString(GL_EXTENSIONS);
    return text ? reinterpret_cast<const char*>(text) : "";
}

bool glVersion(int& major, int& minor)
{
    major = minor = 0;
    if (!SDL_GL_GetCurrentContext())
        return false;
    const GLubyte* text = glGetString(GL_VERSION);
    return text && std::sscanf(reinterpret_cast<const char*>(text), "%d.%d", &major, &minor) == 2;
}

} // namespace Vell::Platform
