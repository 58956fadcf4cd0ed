#include "gui/platform/HeadlessGL.h"

#include <SDL.h>

namespace Vell::Platform {

struct HeadlessGL::Impl {
    bool videoStarted = false;
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    std::string error;

    bool fail()
    {
        error = SDL_GetError();
        return false;
    }

    bool start()
    {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
            return fail();
        videoStarted = true;
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
        SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
        SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        window = SDL_CreateWindow("headless", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                  size, size, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (!window)
            return fail();
        context = SDL_GL_CreateContext(window);
        if (!context)
            return fail();
        if (SDL_GL_MakeCurrent(window, context) != 0)
            return fail();
        return true;
    }

    ~Impl()
    {
        if (context)
            SDL_GL_DeleteContext(context);
        if (window)
            SDL_DestroyWindow(window);
        if (videoStarted)
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
};

HeadlessGL::HeadlessGL() : impl(std::make_unique<Impl>())
{
    impl->start();
}

HeadlessGL::~HeadlessGL() = default;

bool HeadlessGL::ok() const
{
    return impl->context != nullptr && impl->error.empty();
}

const std::string& HeadlessGL::error() const
{
    return impl->error;
}

bool HeadlessGL::makeCurrent()
{
    return ok() && SDL_GL_MakeCurrent(impl->window, impl->context) == 0;
}

void HeadlessGL::swapBuffers()
{
    if (ok())
        SDL_GL_SwapWindow(impl->window);
}

} // namespace Vell::Platform
