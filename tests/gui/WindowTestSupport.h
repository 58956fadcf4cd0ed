// Helpers for tests that make real windows, headless.
#pragma once

#include "gui/platform/Platform.h"
#include "tests/support/MessagePump.h"

#include <cstdlib>

namespace WindowTest {

inline void useOffscreen() { setenv("SDL_VIDEODRIVER", "offscreen", 0); }

// Dispatches every pending message, as the loop would, up to a quit.
inline int pump() { return TestSupport::pumpMessages(); }

} // namespace WindowTest
