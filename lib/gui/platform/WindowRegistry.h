// Internal to the layer: the state behind every handle. One registry per
// process; everything runs on the thread that runs the message loop.
#pragma once

#include "gui/platform/Canvas.h"
#include "gui/platform/Platform.h"

#include <SDL.h>

#include <deque>
#include <map>
#include <memory>
#include <vector>

namespace Vell::Platform {

struct WindowState {
    Handle handle = noWindow;
    Handle parent = noWindow;
    std::vector<Handle> children;           // z-order, bottom first
    std::string title;
    Box rect;                               // outer on screen, or in the parent's client
    bool visible = false;
    bool enabled = true;
    void* userData = nullptr;
    std::unique_ptr<Canvas> canvas;         // client size
    bool invalid = false;
    Box invalidArea;                        // merged, client coordinates
    bool painting = false;
    int glContexts = 0;                     // a GL window's canvas is an overlay
    bool glRendered = false;                // a GL frame since the last present
    Box overlayInk;                         // the overlay's drawn part at the last present
    Box minSize{0, 0, 0, 0}, maxSize{0, 0, 1 << 30, 1 << 30};
    bool topMost = false;
    // Top-level windows only.
    SDL_Window* sdl = nullptr;
    bool hasGL = false;
    bool resizable = true;
    SDL_GLContext compositeContext = nullptr;
    bool presentPending = false;
    bool captureFrames = false;
    std::vector<std::uint32_t> frame;
    int frameWidth = 0, frameHeight = 0;
    int presents = 0;
};

struct Timer {
    Handle window;
    std::uint64_t identifier;
    int interval;
    std::uint64_t due;
};

class WindowRegistry {
public:
    static WindowRegistry& instance();

    // Starts SDL's video on first use; false when there is no video driver.
    bool startVideo();

    WindowState* find(Handle handle);
    WindowState& add(Handle parent);
    void remove(Handle handle);
    WindowState* topLevelOf(WindowState* window);
    WindowState* bySdlId(std::uint32_t windowId);
    // The client area's origin in its top-level window's client coordinates.
    void offsetInTopLevel(const WindowState& window, int& x, int& y);
    // Client origin on the screen.
    void clientOrigin(const WindowState& window, int& x, int& y);
    // The visible window under a screen point, deepest child first.
    WindowState* windowAt(int screenX, int screenY);
    bool isShowing(const WindowState& window);   // visible with all its ancestors
    std::vector<Handle> topLevels() const;

    WindowProcedure procedure = nullptr;
    std::deque<Message> queue;
    std::vector<Timer> timers;
    Handle focusWindow = noWindow;
    Handle captureWindow = noWindow;
    Handle active = noWindow;
    Handle mouseOver = noWindow;
    int cursorCount = 0;
    int cursorX = 0, cursorY = 0;
    std::uint32_t mouseButtons = 0;
    std::map<GLContext, std::pair<Handle, SDL_GLContext>> contexts;
    GLContext nextContext = 1;
    GLStatus pendingFailure = GLStatus::ok;

private:
    WindowState* deepestAt(WindowState& window, int x, int y);

    std::map<Handle, std::unique_ptr<WindowState>> windows;
    Handle nextHandle = 1;
    bool videoStarted = false;
};

// Shared between the layer's sources.
std::int64_t deliver(const Message& message);       // through the window procedure
void presentIfComplete(WindowState& topLevel);
void present(WindowState& topLevel);
void updateRelativeMode();
bool ensureSdlWindow(WindowState& topLevel);
void pumpEvents();
int virtualKeyFor(SDL_Keycode key);
SDL_Keycode keycodeFor(int virtualKey);

} // namespace Vell::Platform
