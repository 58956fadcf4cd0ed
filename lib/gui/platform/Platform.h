// The window system as the framework sees it, built on SDL2: top-level
// windows are SDL windows, child windows are rectangles inside them. Every
// window has a paint Canvas; presenting a top-level window lays the canvases
// over the OpenGL frame of its GL children and swaps the buffers.
//
// Coordinates: a top-level window's rectangle is its outer rectangle on the
// screen, a frame the layer emulates (5 pixels left, right and bottom, 25 on
// top) around the client area, which is the SDL window. A child's rectangle
// is relative to its parent's client area. All calls on an unknown (or
// destroyed) handle do nothing and report failure.
#pragma once

#include "gui/platform/Messages.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Vell::Platform {

class Canvas;

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Box&) const = default;
};

constexpr int useDefault = INT32_MIN;      // position or size chosen by the layer
constexpr int frameLeft = 5, frameTop = 25, frameRight = 5, frameBottom = 5;

using WindowProcedure = std::int64_t (*)(const Message& message);

// --- windows ---------------------------------------------------------------
// Returns noWindow when the system refuses. Top-level windows start hidden,
// children visible.
Handle createWindow(const char* title, Box rect, Handle parent);
// Sends WM_DESTROY to the window and then to its children, then forgets them.
bool destroyWindow(Handle window);
bool isWindow(Handle window);
void setWindowProcedure(WindowProcedure procedure);
void setUserData(Handle window, void* data);
void* userData(Handle window);
// What a window procedure does with messages it does not handle.
std::int64_t defaultWindowProcedure(const Message& message);

bool showWindow(Handle window, bool show);
bool isWindowVisible(Handle window);
bool enableWindow(Handle window, bool enable);
bool isWindowEnabled(Handle window);
bool moveWindow(Handle window, Box rect, bool repaint);
bool setParent(Handle window, Handle parent);
Handle parentOf(Handle window);
Handle topLevelOf(Handle window);
bool bringToTop(Handle window);
bool sendToBack(Handle window);
bool setTopMost(Handle window, bool topMost);
bool setTitle(Handle window, const char* title);
std::string title(Handle window);
Box clientRect(Handle window);      // at (0, 0)
Box windowRect(Handle window);      // on the screen, frame included
bool clientToScreen(Handle window, int& x, int& y);
bool screenToClient(Handle window, int& x, int& y);
// The smallest and largest outer size interactive resizing may reach.
bool setSizeLimits(Handle window, int minWidth, int minHeight, int maxWidth, int maxHeight);
// The outer sizes the system window holds interactive resizing between;
// false for a child or a window not yet on screen.
bool trackingLimits(Handle window, Box& minimum, Box& maximum);

// --- input state ---------------------------------------------------------
Handle setCapture(Handle window);   // returns the previous capture
bool releaseCapture();
Handle capture();
Handle setFocus(Handle window);     // noWindow drops the focus; returns the previous
Handle focus();
Handle setActiveWindow(Handle window);
Handle activeWindow();
// Display counter like the system's: the cursor shows while it is >= 0.
int showCursor(bool show);
// The virtual cursor, in screen coordinates. Setting it moves the pointer
// and raises a mouse move at the new place, as the system does.
bool setCursorPos(int x, int y);
void getCursorPos(int& x, int& y);
// Capture with a hidden cursor is relative mouse mode.
bool relativeMouseMode();

// --- messages --------------------------------------------------------------
// Takes the next message: posted and input messages first, then a paint for
// an invalid window, then due timers. False when there is none.
bool peekMessage(Message& message);
bool postMessage(const Message& message);
void postQuitMessage(int exitCode);
// Makes WM_CHAR from character keys, as the system's translation does.
void translateMessage(const Message& message);
std::int64_t dispatchMessage(const Message& message);
std::int64_t sendMessage(const Message& message);
// Blocks until input arrives or the time is up; only for loops that have
// nothing to do, so an idle program does not spin a processor.
void waitMessage(int milliseconds);
bool setTimer(Handle window, std::uint64_t identifier, int milliseconds);
bool killTimer(Handle window, std::uint64_t identifier);

// Input as the user would give it, through SDL's own event queue, so it
// takes the same path as real input (for tests and tools).
bool simulateKey(int virtualKey, bool down, bool repeat = false);
bool simulateMouseMotion(int dx, int dy);
bool simulateMouseButton(int button, bool down);  // 1 left, 3 right

// --- painting ----------------------------------------------------------------
bool invalidate(Handle window, const Box* area);  // null: the whole client
bool validate(Handle window);
bool isInvalid(Handle window);
// Sends WM_PAINT at once when the window has an invalid area.
bool updateWindow(Handle window);
// The window's canvas, clipped to the area to paint, which is returned in
// paintArea (client coordinates). The area is validated. Null for an
// unknown window.
Canvas* beginPaint(Handle window, Box& paintArea);
void endPaint(Handle window);
Canvas* canvasOf(Handle window);
// Keeps a copy of every presented frame for readFrame.
bool setFrameCapture(Handle topLevel, bool on);
// The last presented frame as 0xAARRGGBB pixels, top row first.
std::vector<std::uint32_t> readFrame(Handle topLevel, int& width, int& height);
// How many frames the top-level window has presented (for measurement).
int presentCount(Handle topLevel);

// --- OpenGL --------------------------------------------------------------------
using GLContext = std::uint32_t;
enum class GLStatus { ok, noPixelFormat, noContext };
// Gives the window's top-level window the double-buffered RGBA format with
// 24 depth and 8 stencil bits; false when the system has no such format.
bool setPixelFormat(Handle window);
// Creates a context for the window's top-level window and makes it
// current; 0 when the system refuses.
GLContext createGLContext(Handle window);
bool makeCurrent(Handle window, GLContext context);
void deleteGLContext(GLContext context);
// The window's client area in the GL frame of its top-level window (origin
// bottom left), for glViewport.
Box glViewportFor(Handle window);
// Ends a GL frame; the top-level window is presented after the paint (or at
// once, outside one), with the overlays laid over it.
bool swapBuffers(Handle window);
// Makes the next pixel format (and so the context) or the next context
// fail as the system may (tests only).
void simulateGLFailure(GLStatus failure);

// --- clock -----------------------------------------------------------------
std::uint64_t ticks();    // monotonic milliseconds
std::uint64_t microTicks();
void yield();

} // namespace Vell::Platform
