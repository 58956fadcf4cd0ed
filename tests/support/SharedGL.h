// One headless OpenGL context per test program, made the first time a test
// needs it and made current again for every test that asks.
#pragma once

#include <gtest/gtest.h>

#include "gui/platform/HeadlessGL.h"

namespace TestSupport {

inline Vell::Platform::HeadlessGL& sharedGL()
{
    static Vell::Platform::HeadlessGL gl;
    return gl;
}

// Call from a fixture's SetUp: fails the test when there is no context.
inline void makeSharedGLCurrent()
{
    Vell::Platform::HeadlessGL& gl = sharedGL();
    ASSERT_TRUE(gl.ok()) << gl.error();
    gl.makeCurrent();
}

} // namespace TestSupport
