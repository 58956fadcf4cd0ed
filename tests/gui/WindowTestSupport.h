// Helpers for tests that make real windows, headless.
#pragma once

#include "gui/platform/Platform.h"

#include <cstdlib>

namespace WindowTest {

inline void useOffscreen() { setenv("SDL_VIDEODRIVER", "offscreen", 0); }

// Dispatches every pending message, as the loop would, up to a quit.
inline int pump()
{
    using namespace Vell::Platform;
    Message m;
    int count = 0;
    while (peekMessage(m) && m.message != WM_QUIT && count < 10000) {
        translateMessage(m);
        dispatchMessage(m);
        ++count;
    }
    return count;
}

} // namespace WindowTest
