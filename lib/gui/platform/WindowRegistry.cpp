#include "gui/platform/WindowRegistry.h"

#include <algorithm>

namespace Vell::Platform {

WindowRegistry& WindowRegistry::instance()
{
    static WindowRegistry registry;
    return registry;
}

bool WindowRegistry::startVideo()
{
    if (videoStarted)
        return true;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0)
        return false;
    // The framework keeps its own cursor position; the text-input events
    // would only duplicate what the key translation makes.
    SDL_EventState(SDL_TEXTINPUT, SDL_DISABLE);
    SDL_EventState(SDL_TEXTEDITING, SDL_DISABLE);
    videoStarted = true;
    return true;
}

WindowState* WindowRegistry::find(Handle handle)
{
    auto it = windows.find(handle);
    return it == windows.end() ? nullptr : it->second.get();
}

WindowState& WindowRegistry::add(Handle parent)
{
    auto state = std::make_unique<WindowState>();
    state->handle = nextHandle++;
    state->parent = parent;
    WindowState& result = *state;
    windows[result.handle] = std::move(state);
    if (WindowState* p = find(parent))
        p->children.push_back(result.handle);
    return result;
}

void WindowRegistry::remove(Handle handle)
{
    WindowState* window = find(handle);
    if (!window)
        return;
    if (WindowState* p = find(window->parent))
        std::erase(p->children, handle);
    if (focusWindow == handle)
        focusWindow = noWindow;
    if (captureWindow == handle)
        captureWindow = noWindow;
    if (active == handle)
        active = noWindow;
    if (mouseOver == handle)
        mouseOver = noWindow;
    std::erase_if(timers, [handle](const Timer& t) { return t.window == handle; });
    windows.erase(handle);
}

WindowState* WindowRegistry::topLevelOf(WindowState* window)
{
    while (window && window->parent != noWindow)
        window = find(window->parent);
    return window;
}

WindowState* WindowRegistry::bySdlId(std::uint32_t windowId)
{
    for (auto& [handle, window] : windows)
        if (window->sdl && SDL_GetWindowID(window->sdl) == windowId)
            return window.get();
    return nullptr;
}

void WindowRegistry::offsetInTopLevel(const WindowState& window, int& x, int& y)
{
    x = 0;
    y = 0;
    const WindowState* w = &window;
    while (w && w->parent != noWindow) {
        x += w->rect.x;
        y += w->rect.y;
        w = find(w->parent);
    }
}

void WindowRegistry::clientOrigin(const WindowState& window, int& x, int& y)
{
    offsetInTopLevel(window, x, y);
    const WindowState* top = topLevelOf(const_cast<WindowState*>(&window));
    if (top) {
        x += top->rect.x + frameLeft;
        y += top->rect.y + frameTop;
    }
}

bool WindowRegistry::isShowing(const WindowState& window)
{
    for (const WindowState* w = &window; w; w = find(w->parent))
        if (!w->visible)
            return false;
    return true;
}

WindowState* WindowRegistry::deepestAt(WindowState& window, int x, int y)
{
    // Children later in the list are above the earlier ones.
    for (auto it = window.children.rbegin(); it != window.children.rend(); ++it) {
        WindowState* child = find(*it);
        if (!child || !child->visible)
            continue;
        const Box& r = child->rect;
        if (x >= r.x && y >= r.y && x < r.x + r.width && y < r.y + r.height)
            return deepestAt(*child, x - r.x, y - r.y);
    }
    return &window;
}

WindowState* WindowRegistry::windowAt(int screenX, int screenY)
{
    WindowState* best = nullptr;
    for (auto& [handle, window] : windows) {
        if (window->parent != noWindow || !window->visible)
            continue;
        int x = screenX - window->rect.x - frameLeft;
        int y = screenY - window->rect.y - frameTop;
        Box client = clientRect(handle);
        if (x >= 0 && y >= 0 && x < client.width && y < client.height) {
            best = deepestAt(*window, x, y);
            if (window->handle == active)
                return best;
        }
    }
    return best;
}

std::vector<Handle> WindowRegistry::topLevels() const
{
    std::vector<Handle> result;
    for (auto& [handle, window] : windows)
        if (window->parent == noWindow)
            result.push_back(handle);
    return result;
}

} // namespace Vell::Platform
