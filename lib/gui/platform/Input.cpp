// Capture, focus, activation and the virtual cursor.
#include "gui/platform/WindowRegistry.h"

namespace Vell::Platform {

namespace {
WindowRegistry& registry() { return WindowRegistry::instance(); }
}

void updateRelativeMode()
{
    // Relative mode both hides the pointer and keeps it from leaving the
    // window, which is what capture plus a hidden cursor amounts to. Some
    // drivers (offscreen) cannot do it; the virtual cursor works anyway.
    bool relative = relativeMouseMode();
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        SDL_SetRelativeMouseMode(relative ? SDL_TRUE : SDL_FALSE);
        SDL_ShowCursor(registry().cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    }
}

bool relativeMouseMode()
{
    return registry().captureWindow != noWindow && registry().cursorCount < 0;
}

Handle setCapture(Handle window)
{
    Handle previous = registry().captureWindow;
    if (!registry().find(window))
        return previous;
    registry().captureWindow = window;
    updateRelativeMode();
    return previous;
}

bool releaseCapture()
{
    registry().captureWindow = noWindow;
    updateRelativeMode();
    return true;
}

Handle capture() { return registry().captureWindow; }

Handle setFocus(Handle window)
{
    Handle previous = registry().focusWindow;
    if (window != noWindow && !registry().find(window))
        return noWindow;
    if (window == previous)
        return previous;
    if (window != noWindow)
        setActiveWindow(window);
    registry().focusWindow = window;
    if (previous != noWindow)
        deliver({previous, WM_KILLFOCUS, window, 0});
    if (window != noWindow && registry().focusWindow == window)
        deliver({window, WM_SETFOCUS, previous, 0});
    return previous;
}

Handle focus() { return registry().focusWindow; }

Handle setActiveWindow(Handle window)
{
    Handle previous = registry().active;
    Handle top = topLevelOf(window);
    if (top == noWindow || top == previous)
        return previous;
    registry().active = top;
    if (previous != noWindow)
        deliver({previous, WM_ACTIVATE, 0, static_cast<std::int64_t>(top)});
    deliver({top, WM_ACTIVATE, 1, static_cast<std::int64_t>(previous)});
    return previous;
}

Handle activeWindow() { return registry().active; }

int showCursor(bool show)
{
    registry().cursorCount += show ? 1 : -1;
    updateRelativeMode();
    return registry().cursorCount;
}

bool setCursorPos(int x, int y)
{
    WindowRegistry& r = registry();
    if (x == r.cursorX && y == r.cursorY)
        return true;
    r.cursorX = x;
    r.cursorY = y;
    // The system raises a mouse move when it moves the cursor; the pointer
    // itself is virtual here, so the move is made directly.
    WindowState* target = r.find(r.captureWindow);
    if (!target)
        target = r.windowAt(x, y);
    if (target) {
        int cx = x, cy = y;
        screenToClient(target->handle, cx, cy);
        postMessage({target->handle, WM_MOUSEMOVE, r.mouseButtons, packPoint(cx, cy)});
    }
    return true;
}

void getCursorPos(int& x, int& y)
{
    x = registry().cursorX;
    y = registry().cursorY;
}

} // namespace Vell::Platform
