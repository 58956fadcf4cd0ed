// HeadlessGL: a current OpenGL context without a visible window, for tests
// and tools that draw and read back. With SDL_VIDEODRIVER=offscreen it runs
// on Mesa's software renderer with no display at all. The context is a
// compatibility profile (fixed function, display lists, GLU) with RGBA,
// 24 depth and 8 stencil bits and a double buffer, made current on
// construction; ok() tells whether that worked.
#pragma once

#include <memory>
#include <string>

namespace Vell::Platform {

class HeadlessGL {
public:
    static constexpr int size = 64;   // sides of the hidden window

    HeadlessGL();
    ~HeadlessGL();
    HeadlessGL(const HeadlessGL&) = delete;
    HeadlessGL& operator=(const HeadlessGL&) = delete;

    bool ok() const;
    // Why the context could not be made; empty when ok.
    const std::string& error() const;
    // Makes the context current again (after another context was used).
    bool makeCurrent();
    void swapBuffers();

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};

} // namespace Vell::Platform
