// Window creation, geometry, visibility and z-order.
#include "gui/platform/WindowRegistry.h"

#include <algorithm>

namespace Vell::Platform {

namespace {

WindowRegistry& registry() { return WindowRegistry::instance(); }

int clientWidth(const WindowState& w) { return std::max(0, w.rect.width - frameLeft - frameRight); }
int clientHeight(const WindowState& w) { return std::max(0, w.rect.height - frameTop - frameBottom); }

void setGLAttributes()
{
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
}

// Hands the limits to the system window, which holds interactive resizing
// to them. The system refuses a minimum above the current maximum (and the
// reverse), so the bound that makes room goes first.
void applySdlLimits(WindowState& w)
{
    if (!w.sdl)
        return;
    int hx = frameLeft + frameRight, hy = frameTop + frameBottom;
    int minW = std::max(1, w.minSize.width - hx), minH = std::max(1, w.minSize.height - hy);
    int maxW = std::max(1, w.maxSize.width - hx), maxH = std::max(1, w.maxSize.height - hy);
    int oldMaxW = 0, oldMaxH = 0;
    SDL_GetWindowMaximumSize(w.sdl, &oldMaxW, &oldMaxH);
    bool maxFirst = (oldMaxW && minW > oldMaxW) || (oldMaxH && minH > oldMaxH);
    if (maxFirst)
        SDL_SetWindowMaximumSize(w.sdl, maxW, maxH);
    SDL_SetWindowMinimumSize(w.sdl, minW, minH);
    if (!maxFirst)
        SDL_SetWindowMaximumSize(w.sdl, maxW, maxH);
    SDL_SetWindowResizable(w.sdl, w.resizable ? SDL_TRUE : SDL_FALSE);
}

} // namespace

// The SDL window is made when it is first needed (shown, or given a GL
// context), so that it starts at its final size: some drivers (offscreen)
// keep the GL surface at the size the window was made with.
bool ensureSdlWindow(WindowState& w)
{
    if (w.sdl || w.parent != noWindow)
        return w.sdl != nullptr;
    setGLAttributes();
    int cw = std::max(1, clientWidth(w));
    int ch = std::max(1, clientHeight(w));
    Uint32 flags = SDL_WINDOW_HIDDEN | (w.resizable ? SDL_WINDOW_RESIZABLE : 0);
    w.sdl = SDL_CreateWindow(w.title.c_str(), w.rect.x + frameLeft, w.rect.y + frameTop, cw, ch,
                             flags | SDL_WINDOW_OPENGL);
    w.hasGL = w.sdl != nullptr;
    if (!w.sdl) // no GL visual: still a window, painted without GL
        w.sdl = SDL_CreateWindow(w.title.c_str(), w.rect.x + frameLeft, w.rect.y + frameTop, cw, ch, flags);
    // Limits set before the window was on screen hold from the start.
    applySdlLimits(w);
    if (w.sdl && w.topMost)
        setTopMost(w.handle, true);
    return w.sdl != nullptr;
}

namespace {

Box resolveDefaults(Box rect, bool topLevel)
{
    if (rect.x == useDefault || rect.y == useDefault) {
        rect.x = topLevel ? 64 : 0;
        rect.y = topLevel ? 64 : 0;
    }
    if (rect.width == useDefault || rect.height == useDefault) {
        rect.width = topLevel ? 640 + frameLeft + frameRight : 0;
        rect.height = topLevel ? 480 + frameTop + frameBottom : 0;
    }
    return rect;
}

void invalidateParentArea(const WindowState& w)
{
    if (w.parent != noWindow)
        invalidate(w.parent, &w.rect);
}

void destroyTree(Handle handle)
{
    WindowState* w = registry().find(handle);
    if (!w)
        return;
    deliver({handle, WM_DESTROY, 0, 0});
    w = registry().find(handle);    // a handler may have destroyed it already
    if (!w)
        return;
    std::vector<Handle> children = w->children;
    for (Handle child : children)
        destroyTree(child);
    w = registry().find(handle);
    if (!w)
        return;
    if (w->sdl) {
        if (SDL_GL_GetCurrentWindow() == w->sdl)
            SDL_GL_MakeCurrent(w->sdl, nullptr);
        if (w->compositeContext)
            SDL_GL_DeleteContext(w->compositeContext);
        SDL_DestroyWindow(w->sdl);
    }
    registry().remove(handle);
}

} // namespace

Handle createWindow(const char* title, Box rect, Handle parent)
{
    if (!registry().startVideo())
        return noWindow;
    if (parent != noWindow && !registry().find(parent))
        return noWindow;
    WindowState& w = registry().add(parent);
    w.title = title ? title : "";
    w.rect = resolveDefaults(rect, parent == noWindow);
    if (parent == noWindow) {
        w.canvas = std::make_unique<Canvas>(std::max(1, clientWidth(w)), std::max(1, clientHeight(w)));
    } else {
        w.visible = true;
        w.canvas = std::make_unique<Canvas>(std::max(1, w.rect.width), std::max(1, w.rect.height));
    }
    invalidate(w.handle, nullptr);
    return w.handle;
}

bool destroyWindow(Handle window)
{
    WindowState* w = registry().find(window);
    if (!w)
        return false;
    WindowState copy;
    copy.parent = w->parent;
    copy.rect = w->rect;
    destroyTree(window);
    invalidateParentArea(copy);
    return true;
}

bool isWindow(Handle window) { return registry().find(window) != nullptr; }

void setWindowProcedure(WindowProcedure procedure) { registry().procedure = procedure; }

void setUserData(Handle window, void* data)
{
    if (WindowState* w = registry().find(window))
        w->userData = data;
}

void* userData(Handle window)
{
    WindowState* w = registry().find(window);
    return w ? w->userData : nullptr;
}

bool showWindow(Handle window, bool show)
{
    WindowState* w = registry().find(window);
    if (!w)
        return false;
    bool was = w->visible;
    w->visible = show;
    if (show)
        ensureSdlWindow(*w);
    if (w->sdl) {
        if (show)
            SDL_ShowWindow(w->sdl);
        else
            SDL_HideWindow(w->sdl);
    }
    if (show && w->parent == noWindow)
        setActiveWindow(window);   // showing a top-level window activates it
    if (show && !was)
        invalidate(window, nullptr);
    if (!show && was)
        invalidateParentArea(*w);
    return was;
}

bool isWindowVisible(Handle window)
{
    WindowState* w = registry().find(window);
    return w && registry().isShowing(*w);
}

bool enableWindow(Handle window, bool enable)
{
    WindowState* w = registry().find(window);
    if (!w)
        return false;
    bool wasDisabled = !w->enabled;
    w->enabled = enable;
    return wasDisabled;
}

bool isWindowEnabled(Handle window)
{
    WindowState* w = registry().find(window);
    return w && w->enabled;
}

bool moveWindow(Handle window, Box rect, bool repaint)
{
    WindowState* w = registry().find(window);
    if (!w)
        return false;
    Box old = w->rect;
    Box oldClient = clientRect(window);
    w->rect = rect;
    Box client = clientRect(window);
    if (w->sdl) {
        SDL_SetWindowPosition(w->sdl, rect.x + frameLeft, rect.y + frameTop);
        SDL_SetWindowSize(w->sdl, std::max(1, client.width), std::max(1, client.height));
    }
    if (client.width != oldClient.width || client.height != oldClient.height)
        w->canvas->resize(std::max(1, client.width), std::max(1, client.height));
    if (repaint) {
        invalidate(window, nullptr);
        if (old.x != rect.x || old.y != rect.y || old.width != rect.width || old.height != rect.height) {
            WindowState shadow;
            shadow.parent = w->parent;
            shadow.rect = old;
            invalidateParentArea(shadow);
        }
    }
    int x = rect.x, y = rect.y;
    if (!w->parent) {
        x += frameLeft;
        y += frameTop;
    }
    if (old.x != rect.x || old.y != rect.y)
        sendMessage({window, WM_MOVE, 0, packPoint(x, y)});
    if (client.width != oldClient.width || client.height != oldClient.height)
        sendMessage({window, WM_SIZE, 0, packPoint(client.width, client.height)});
    return true;
}

bool setParent(Handle window, Handle parent)
{
    WindowState* w = registry().find(window);
    WindowState* p = registry().find(parent);
    // Children live inside a top-level window's picture; a child cannot be
    // turned into a top-level window nor a top-level window into a child.
    if (!w || !p || w->parent == noWindow || window == parent)
        return false;
    for (WindowState* a = p; a; a = registry().find(a->parent))
        if (a == w)
            return false;   // would make a cycle
    invalidateParentArea(*w);
    if (WindowState* old = registry().find(w->parent))
        std::erase(old->children, window);
    w->parent = parent;
    p->children.push_back(window);
    invalidate(window, nullptr);
    return true;
}

Handle parentOf(Handle window)
{
    WindowState* w = registry().find(window);
    return w ? w->parent : noWindow;
}

Handle topLevelOf(Handle window)
{
    WindowState* top = registry().topLevelOf(registry().find(window));
    return top ? top->handle : noWindow;
}

bool bringToTop(Handle window)
{
    WindowState* w = registry().find(window);
    if (!w)
        return false;
    if (w->sdl)
        SDL_RaiseWindow(w->sdl);
    if (WindowState* p = registry().find(w->parent)) {
        std::erase(p->children, window);
        p->children.push_back(window);
        invalidate(window, nullptr);
    }
    return true;
}

bool sendToBack(Handle window)
{
    WindowState* w = registry().find(window);
    if (!w)
        return false;
    if (WindowState* p = registry().find(w->parent)) {
        std::erase(p->children, window);
        p->children.insert(p->children.begin(), window);
        invalidate(w->parent, nullptr);
    }
    return true;
}

bool setTopMost(Handle window, bool topMost)
{
    WindowState* w = registry().find(window);
    if (!w)
        return false;
    w->topMost = topMost;
#if SDL_VERSION_ATLEAST(2, 0, 16)
    if (w->sdl)
        SDL_SetWindowAlwaysOnTop(w->sdl, topMost ? SDL_TRUE : SDL_FALSE);
#endif
    return true;
}

bool setTitle(Handle window, const char* text)
{
    WindowState* w = registry().find(window);
    if (!w)
        return false;
    w->title = text ? text : "";
    if (w->sdl)
        SDL_SetWindowTitle(w->sdl, w->title.c_str());
    return true;
}

std::string title(Handle window)
{
    WindowState* w = registry().find(window);
    return w ? w->title : std::string();
}

Box clientRect(Handle window)
{
    WindowState* w = registry().find(window);
    if (!w)
        return {};
    if (w->parent == noWindow)
        return {0, 0, clientWidth(*w), clientHeight(*w)};
    return {0, 0, std::max(0, w->rect.width), std::max(0, w->rect.height)};
}

Box windowRect(Handle window)
{
    WindowState* w = registry().find(window);
    if (!w)
        return {};
    if (w->parent == noWindow)
        return w->rect;
    int x, y;
    registry().clientOrigin(*w, x, y);
    return {x, y, w->rect.width, w->rect.height};
}

namespace {

// The screen position of the window's client area, false for no window.
bool clientOriginOf(Handle window, int& x, int& y)
{
    WindowState* w = registry().find(window);
    if (!w)
        return false;
    registry().clientOrigin(*w, x, y);
    return true;
}

} // namespace

bool clientToScreen(Handle window, int& x, int& y)
{
    int ox = 0, oy = 0;
    if (!clientOriginOf(window, ox, oy))
        return false;
    x += ox;
    y += oy;
    return true;
}

bool screenToClient(Handle window, int& x, int& y)
{
    int ox = 0, oy = 0;
    if (!clientOriginOf(window, ox, oy))
        return false;
    x -= ox;
    y -= oy;
    return true;
}

bool setSizeLimits(Handle window, int minWidth, int minHeight, int maxWidth, int maxHeight)
{
    WindowState* w = registry().find(window);
    if (!w)
        return false;
    w->minSize = {0, 0, minWidth, minHeight};
    w->maxSize = {0, 0, maxWidth, maxHeight};
    w->resizable = !(minWidth == maxWidth && minHeight == maxHeight);
    applySdlLimits(*w);
    return true;
}

bool trackingLimits(Handle window, Box& minimum, Box& maximum)
{
    WindowState* w = registry().find(window);
    if (!w || !w->sdl)
        return false;
    int hx = frameLeft + frameRight, hy = frameTop + frameBottom;
    minimum = maximum = {};
    SDL_GetWindowMinimumSize(w->sdl, &minimum.width, &minimum.height);
    SDL_GetWindowMaximumSize(w->sdl, &maximum.width, &maximum.height);
    minimum.width += hx;
    minimum.height += hy;
    maximum.width += hx;
    maximum.height += hy;
    return true;
}

} // namespace Vell::Platform
