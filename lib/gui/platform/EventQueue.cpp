// The message queue: SDL events become messages, posted messages wait in
// order, paints are made from invalid areas when nothing else is pending,
// and timers come last.
#include "gui/platform/WindowRegistry.h"

#include <algorithm>

namespace Vell::Platform {

namespace {

WindowRegistry& registry() { return WindowRegistry::instance(); }

std::uint64_t mouseFlags()
{
    std::uint64_t flags = registry().mouseButtons;
    SDL_Keymod mod = SDL_GetModState();
    if (mod & KMOD_SHIFT)
        flags |= MK_SHIFT;
    if (mod & KMOD_CTRL)
        flags |= MK_CONTROL;
    return flags;
}

void postKey(const SDL_KeyboardEvent& key)
{
    int virtualKey = virtualKeyFor(key.keysym.sym);
    WindowRegistry& r = registry();
    Handle target = r.focusWindow != noWindow ? r.focusWindow : r.active;
    WindowState* w = r.find(target);
    if (virtualKey == 0 || !w || !w->enabled)
        return;
    // lParam as the system packs it: repeat count, scan code, previous
    // state (bit 30: the key was already down) and transition (bit 31).
    std::int64_t lParam = 1 | (static_cast<std::int64_t>(key.keysym.scancode & 0xFF) << 16);
    if (key.type == SDL_KEYDOWN) {
        if (key.repeat)
            lParam |= 1LL << 30;
        postMessage({target, WM_KEYDOWN, static_cast<std::uint64_t>(virtualKey), lParam});
    } else {
        lParam |= (1LL << 30) | (1LL << 31);
        postMessage({target, WM_KEYUP, static_cast<std::uint64_t>(virtualKey), lParam});
    }
}

// Moves the virtual cursor for an event and finds the window it points at.
WindowState* mouseTarget(std::uint32_t windowId, int x, int y, int dx, int dy, bool motion)
{
    WindowRegistry& r = registry();
    if (relativeMouseMode()) {
        // The pointer is held by the window; only motion moves the
        // virtual cursor, and buttons act where it is.
        if (motion) {
            r.cursorX += dx;
            r.cursorY += dy;
        }
    } else if (WindowState* top = r.bySdlId(windowId)) {
        r.cursorX = x;
        r.cursorY = y;
        clientToScreen(top->handle, r.cursorX, r.cursorY);
    }
    WindowState* target = r.find(r.captureWindow);
    if (!target)
        target = r.windowAt(r.cursorX, r.cursorY);
    return target && target->enabled ? target : nullptr;
}

void postMouse(WindowState* target, std::uint32_t message)
{
    if (!target)
        return;
    int x = registry().cursorX, y = registry().cursorY;
    screenToClient(target->handle, x, y);
    postMessage({target->handle, message, mouseFlags(), packPoint(x, y)});
}

void postButton(const SDL_MouseButtonEvent& button)
{
    bool down = button.type == SDL_MOUSEBUTTONDOWN;
    std::uint32_t flag = button.button == SDL_BUTTON_LEFT ? MK_LBUTTON
                       : button.button == SDL_BUTTON_RIGHT ? MK_RBUTTON : 0;
    if (!flag)
        return;
    WindowState* target = mouseTarget(button.windowID, button.x, button.y, 0, 0, false);
    if (down)
        registry().mouseButtons |= flag;
    else
        registry().mouseButtons &= ~flag;
    std::uint32_t message;
    if (flag == MK_LBUTTON)
        message = !down ? WM_LBUTTONUP : button.clicks == 2 ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
    else
        message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    postMouse(target, message);
}

void resized(WindowState& top, int width, int height)
{
    Box client = clientRect(top.handle);
    if (client.width == width && client.height == height)
        return;
    top.rect.width = width + frameLeft + frameRight;
    top.rect.height = height + frameTop + frameBottom;
    top.canvas->resize(std::max(1, width), std::max(1, height));
    invalidate(top.handle, nullptr);
    sendMessage({top.handle, WM_SIZE, 0, packPoint(width, height)});
}

void invalidateTree(WindowState& window)
{
    invalidate(window.handle, nullptr);
    for (Handle child : window.children)
        if (WindowState* c = registry().find(child))
            invalidateTree(*c);
}

void windowEvent(const SDL_WindowEvent& event, bool& closeSeen)
{
    WindowState* top = registry().bySdlId(event.windowID);
    if (!top)
        return;
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
        closeSeen = true;
        postMessage({top->handle, WM_CLOSE, 0, 0});
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        invalidateTree(*top);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        setActiveWindow(top->handle);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        resized(*top, event.data1, event.data2);
        break;
    case SDL_WINDOWEVENT_MOVED:
        if (top->rect.x != event.data1 - frameLeft || top->rect.y != event.data2 - frameTop) {
            top->rect.x = event.data1 - frameLeft;
            top->rect.y = event.data2 - frameTop;
            sendMessage({top->handle, WM_MOVE, 0, packPoint(event.data1, event.data2)});
        }
        break;
    default:
        break;
    }
}

bool takePaint(WindowState& window, Message& message)
{
    if (!window.visible)
        return false;
    if (window.invalid) {
        message = {window.handle, WM_PAINT, 0, 0};
        return true;
    }
    for (Handle child : window.children)
        if (WindowState* c = registry().find(child); c && takePaint(*c, message))
            return true;
    return false;
}

bool takeTimer(Message& message)
{
    std::uint64_t now = ticks();
    for (Timer& timer : registry().timers) {
        if (timer.due <= now) {
            timer.due = now + static_cast<std::uint64_t>(std::max(1, timer.interval));
            message = {timer.window, WM_TIMER, timer.identifier, 0};
            return true;
        }
    }
    return false;
}

} // namespace

void pumpEvents()
{
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return;
    SDL_Event event;
    bool closeSeen = false, quitSeen = false;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            postKey(event.key);
            break;
        case SDL_MOUSEMOTION:
            postMouse(mouseTarget(event.motion.windowID, event.motion.x, event.motion.y,
                                  event.motion.xrel, event.motion.yrel, true),
                      WM_MOUSEMOVE);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            postButton(event.button);
            break;
        case SDL_WINDOWEVENT:
            windowEvent(event.window, closeSeen);
            break;
        case SDL_QUIT:
            quitSeen = true;
            break;
        default:
            break;
        }
    }
    // A quit request that no window close explains (an interrupt from the
    // terminal) asks every top-level window to close.
    if (quitSeen && !closeSeen)
        for (Handle top : registry().topLevels())
            postMessage({top, WM_CLOSE, 0, 0});
}

bool peekMessage(Message& message)
{
    pumpEvents();
    WindowRegistry& r = registry();
    if (!r.queue.empty()) {
        message = r.queue.front();
        r.queue.pop_front();
        return true;
    }
    for (Handle top : r.topLevels())
        if (WindowState* w = r.find(top); w && takePaint(*w, message))
            return true;
    return takeTimer(message);
}

bool postMessage(const Message& message)
{
    if (message.window != noWindow && !registry().find(message.window))
        return false;
    registry().queue.push_back(message);
    return true;
}

void postQuitMessage(int exitCode)
{
    registry().queue.push_back({noWindow, WM_QUIT, static_cast<std::uint64_t>(static_cast<std::int64_t>(exitCode)), 0});
}

void translateMessage(const Message& message)
{
    if (message.message != WM_KEYDOWN)
        return;
    int key = static_cast<int>(message.wParam);
    bool shift = (SDL_GetModState() & KMOD_SHIFT) != 0;
    int character = 0;
    if (key >= 'A' && key <= 'Z')
        character = shift ? key : key - 'A' + 'a';
    else if ((key >= '0' && key <= '9') || key == VK_SPACE || key == VK_RETURN || key == VK_ESCAPE ||
             key == VK_BACK || key == VK_TAB)
        character = key;
    if (character)
        registry().queue.push_front({message.window, WM_CHAR, static_cast<std::uint64_t>(character),
                                     message.lParam});
}

std::int64_t deliver(const Message& message)
{
    WindowRegistry& r = registry();
    if (message.window == noWindow || !r.find(message.window))
        return 0;
    if (r.procedure)
        return r.procedure(message);
    return defaultWindowProcedure(message);
}

std::int64_t dispatchMessage(const Message& message) { return deliver(message); }
std::int64_t sendMessage(const Message& message) { return deliver(message); }

std::int64_t defaultWindowProcedure(const Message& message)
{
    switch (message.message) {
    case WM_CLOSE:
        destroyWindow(message.window);
        return 0;
    case WM_PAINT: {
        Box area;
        if (beginPaint(message.window, area))
            endPaint(message.window);
        return 0;
    }
    default:
        return 0;
    }
}

void waitMessage(int milliseconds)
{
    WindowRegistry& r = registry();
    if (!r.queue.empty() || !SDL_WasInit(SDL_INIT_VIDEO))
        return;
    Message paint;
    for (Handle top : r.topLevels())
        if (WindowState* w = r.find(top); w && takePaint(*w, paint))
            return;
    std::uint64_t now = ticks();
    for (const Timer& timer : r.timers)
        milliseconds = static_cast<int>(std::min<std::uint64_t>(milliseconds, timer.due > now ? timer.due - now : 0));
    if (milliseconds > 0)
        SDL_WaitEventTimeout(nullptr, milliseconds);
}

bool setTimer(Handle window, std::uint64_t identifier, int milliseconds)
{
    if (window != noWindow && !registry().find(window))
        return false;
    killTimer(window, identifier);
    registry().timers.push_back({window, identifier, milliseconds,
                                 ticks() + static_cast<std::uint64_t>(std::max(1, milliseconds))});
    return true;
}

bool killTimer(Handle window, std::uint64_t identifier)
{
    return std::erase_if(registry().timers, [&](const Timer& t) {
               return t.window == window && t.identifier == identifier;
           }) > 0;
}

bool simulateKey(int virtualKey, bool down, bool repeat)
{
    if (!registry().startVideo())
        return false;
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.sym = keycodeFor(virtualKey);
    event.key.keysym.scancode = SDL_GetScancodeFromKey(event.key.keysym.sym);
    if (WindowState* top = registry().find(registry().active); top && top->sdl)
        event.key.windowID = SDL_GetWindowID(top->sdl);
    return event.key.keysym.sym != SDLK_UNKNOWN && SDL_PushEvent(&event) == 1;
}

namespace {

// The active window's SDL id (0 for none), and the virtual cursor position
// (x, y on the screen) turned into its client coordinates: where a
// simulated mouse event lands.
Uint32 aimAtActiveWindow(int& x, int& y)
{
    WindowState* top = registry().find(registry().active);
    if (!top || !top->sdl)
        return 0;
    screenToClient(top->handle, x, y);
    return SDL_GetWindowID(top->sdl);
}

} // namespace

bool simulateMouseMotion(int dx, int dy)
{
    if (!registry().startVideo())
        return false;
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.xrel = dx;
    event.motion.yrel = dy;
    int x = registry().cursorX + dx, y = registry().cursorY + dy;
    event.motion.windowID = aimAtActiveWindow(x, y);
    event.motion.x = x;
    event.motion.y = y;
    return SDL_PushEvent(&event) == 1;
}

bool simulateMouseButton(int button, bool down)
{
    if (!registry().startVideo())
        return false;
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = static_cast<Uint8>(button);
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    int x = registry().cursorX, y = registry().cursorY;
    event.button.windowID = aimAtActiveWindow(x, y);
    event.button.x = x;
    event.button.y = y;
    return SDL_PushEvent(&event) == 1;
}

} // namespace Vell::Platform
