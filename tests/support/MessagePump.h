// The message loop's step for tests that make real windows, headless: what
// is queued is dispatched, or dropped once its windows are gone.
#pragma once

#include "gui/platform/Platform.h"

namespace TestSupport {

// Translates and dispatches every pending message, as the loop would, until
// a quit (taken, not dispatched) or 10000 messages; returns how many it
// dispatched.
inline int pumpMessages()
{
    using namespace Vell::Platform;
    Message message;
    int count = 0;
    while (count < 10000 && peekMessage(message) && message.message != WM_QUIT) {
        translateMessage(message);
        dispatchMessage(message);
        ++count;
    }
    return count;
}

// Drops whatever is queued: after the windows are destroyed it belongs to
// no window, and the next test starts with an empty queue.
inline void dropMessages()
{
    Vell::Platform::Message message;
    while (Vell::Platform::peekMessage(message)) {
    }
}

} // namespace TestSupport
